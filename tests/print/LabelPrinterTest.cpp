// Printing on label printers through CUPS's own label driver (rastertolabel, Zebra ZPL), with
// queues at 203 and 300 dpi whose device is a file: the ZPL the printer would receive is decoded
// back into the dots its head would burn. Every page must be the label at its true size in the
// right place, and every QR code and barcode must read as its row with modules of whole, equal
// numbers of dots. Run by with-label-printers.sh, which sets up the queues.
#include "canvas/LabelDesign.h"
#include "print/PrintSettings.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"
#include "support/TestProgram.h"
#include "support/ZplPages.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

namespace {

const QList<QStringList> rows = {
    {"SKU", "名称", "网址"},
    {"TL-0001", "青花茶杯", "https://example.com/p/TL-0001"},
    {"TL-0002", "白瓷碗", "https://example.com/p/TL-0002"},
    {"TL-0003", "竹制托盘", "https://example.com/p/TL-0003"},
};

QString queueName(const char *variable)
{
    return qEnvironmentVariable(variable);
}

// The file a queue's device writes.
QString spoolFile(const QString &queue)
{
    return QDir(qEnvironmentVariable("TAGLOOM_LABEL_SPOOL")).filePath(queue + ".out");
}

// What the queue's printer received for the last job, once CUPS is done with it.
QList<ZplPage> printed(const QString &queue)
{
    const QString file = spoolFile(queue);
    qint64 size = -1;
    QElapsedTimer unchanged;
    const bool done = QTest::qWaitFor(
        [&] {
            QProcess jobs;
            jobs.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
            jobs.waitForFinished();
            if (!jobs.readAllStandardOutput().trimmed().isEmpty()) return false;
            const qint64 now = QFileInfo(file).size();
            if (now != size) {
                size = now;
                unchanged.start();
            }
            return size > 0 && unchanged.elapsed() > 300;
        },
        60000);
    QFile zpl(file);
    if (!done || !zpl.open(QIODevice::ReadOnly)) return {};
    return zplPages(zpl.readAll());
}

// A white label picture of the given inches (at 96 pixels to the inch) with a black frame four
// pixels wide at its very edge: where the frame prints is where the label prints.
QString framedPicture(const QString &folder, double widthInches, double heightInches)
{
    QImage picture(qRound(widthInches * 96), qRound(heightInches * 96), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawRect(picture.rect());
    painter.setBrush(Qt::white);
    painter.drawRect(picture.rect().adjusted(4, 4, -4, -4));
    painter.end();
    const QString path = QDir(folder).filePath(
        QStringLiteral("label-%1x%2.png").arg(widthInches).arg(heightInches));
    return picture.save(path) ? path : QString();
}

// Adds an extension block of these entries to a layout file.
bool appendBlock(const QString &layout, const QStringList &entries)
{
    QFile file(layout);
    return file.open(QIODevice::Append)
        && file.write(("[Tagloom 1]\r\n" + entries.join("\r\n") + "\r\n[Tagloom end]\r\n").toUtf8())
        > 0;
}

// Where an item of the design lands on the page, in dots.
QRect dotsOf(const QRectF &twips, double dpi, QPoint offset)
{
    const double scale = dpi / 1440.0;
    return QRectF(
        twips.left() * scale, twips.top() * scale, twips.width() * scale, twips.height() * scale)
        .toAlignedRect()
        .translated(offset);
}

bool burnt(const QImage &dots, int x, int y)
{
    return dots.valid(x, y) && qGray(dots.pixel(x, y)) < 128;
}

QRect inkIn(const QImage &dots, const QRect &area)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (burnt(dots, x, y)) ink |= QRect(x, y, 1, 1);
    return ink;
}

// The QR code inside its item: every module the same square of k x k dots, all of one colour.
// Returns k, or 0 when the modules are uneven.
int qrModuleDots(const QImage &dots, const QRect &item)
{
    const QRect code = inkIn(dots, item.adjusted(-1, -1, 1, 1));
    int finder = 0; // the top row of the top left finder pattern: seven modules dark
    while (burnt(dots, code.left() + finder, code.top()))
        ++finder;
    if (code.isEmpty() || finder % 7 != 0 || code.width() != code.height()) return 0;
    const int k = finder / 7;
    const int modules = code.width() / k;
    if (modules * k != code.width() || (modules - 17) % 4 != 0) return 0;
    for (int row = 0; row < modules; ++row) {
        for (int column = 0; column < modules; ++column) {
            const QPoint corner = code.topLeft() + QPoint(column * k, row * k);
            const bool dark = burnt(dots, corner.x(), corner.y());
            for (int y = 0; y < k; ++y)
                for (int x = 0; x < k; ++x)
                    if (burnt(dots, corner.x() + x, corner.y() + y) != dark) return 0;
        }
    }
    return k;
}

// The bars and spaces across the barcode's strip, in dots, from the first bar to the last.
QList<int> barRuns(const QImage &dots, const QRect &strip)
{
    const int y = strip.top() + strip.height() / 3;
    const QRect ink = inkIn(dots, QRect(strip.left(), y, strip.width(), 1));
    QList<int> runs;
    for (int x = ink.left(); x <= ink.right();) {
        const bool dark = burnt(dots, x, y);
        int run = 0;
        while (x <= ink.right() && burnt(dots, x, y) == dark) {
            ++run;
            ++x;
        }
        runs << run;
    }
    return runs;
}

// The first burnt dot from the left along the middle row and from the top along the middle
// column: the label's frame.
QPoint frameCorner(const QImage &dots)
{
    QPoint corner(-1, -1);
    for (int x = 0; x < dots.width() && corner.x() < 0; ++x)
        if (burnt(dots, x, dots.height() / 2)) corner.setX(x);
    for (int y = 0; y < dots.height() && corner.y() < 0; ++y)
        if (burnt(dots, dots.width() / 2, y)) corner.setY(y);
    return corner;
}

struct Expected
{
    int dpi;
    QSizeF labelInches;
    QPointF offsetMm;
    QRectF qrItem; // twips
    QRectF barcodeStrip; // twips
    double scale = 1;
};

// Everything a printed label page must be; the row's values are the codes' texts.
void checkPage(const ZplPage &page, const Expected &expected, const QStringList &row)
{
    const QImage &dots = page.dots;
    // The page is the paper, which the calibration does not scale.
    QVERIFY2(qAbs(dots.width() - expected.labelInches.width() * expected.dpi) <= 2,
        qPrintable(QString::number(dots.width())));
    QVERIFY2(qAbs(dots.height() - expected.labelInches.height() * expected.dpi) <= 2,
        qPrintable(QString::number(dots.height())));
    QCOMPARE(page.printWidth, dots.width());
    QCOMPARE(page.quantity, 1); // copies are pages of their own

    const QPointF offsetDots = expected.offsetMm * expected.dpi / 25.4;
    const QPoint corner = frameCorner(dots);
    QVERIFY2(qAbs(corner.x() - offsetDots.x()) <= 1 && qAbs(corner.y() - offsetDots.y()) <= 1,
        qPrintable(QStringLiteral("frame at %1, %2").arg(corner.x()).arg(corner.y())));
    // The frame's far edge, where the offset leaves it on the paper: the label's width as the
    // calibration scales it.
    const double width = expected.labelInches.width() * expected.dpi * expected.scale;
    if (offsetDots.x() + width <= dots.width()) {
        int right = dots.width() - 1;
        while (right > 0 && !burnt(dots, right, dots.height() / 2))
            --right;
        QVERIFY2(qAbs(right + 1 - offsetDots.x() - width) <= 2, qPrintable(QString::number(right)));
    }

    QCOMPARE(decodeQr(dots), row[2]);
    QCOMPARE(decodeCode128(dots), row[0]);
    const QPoint offset = offsetDots.toPoint();
    const double dotsPerInch = expected.dpi * expected.scale;
    const int moduleDots = qrModuleDots(dots, dotsOf(expected.qrItem, dotsPerInch, offset));
    QVERIFY2(moduleDots >= 2, "every QR module the same whole number of dots");
    const QList<int> runs = barRuns(dots, dotsOf(expected.barcodeStrip, dotsPerInch, offset));
    QVERIFY(runs.size() > 20);
    const int narrowest = *std::min_element(runs.cbegin(), runs.cend());
    QVERIFY(narrowest >= 2);
    for (const int run : runs)
        QVERIFY2(
            run % narrowest == 0, qPrintable(QStringLiteral("%1 of %2").arg(run).arg(narrowest)));
}

} // namespace

class LabelPrinterTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printCommandPrintsTrueSizeLabelsInCopies();
    void printButtonPutsALargerLabelOnAPageOfItsOwnWhereTheCalibrationSays();
    void aLabelOfItsOwnSizePrintsScaledOnTheDots();
    void everyCodeTypeScansOnTheDotsAndInPdf_data();
    void everyCodeTypeScansOnTheDotsAndInPdf();
    void labelsAPrinterCannotPrintAreRefusedBeforeAnyPage();
    void theCalibrationLabelOutlinesTheLabel();

private:
    // A layout of the framed label with its three field items, the QR code and the barcode.
    QString writeLayout(const QString &name, const QString &picture, const QString &workbook,
        const QRectF &qrItem, const QRectF &barcodeHolder);
    QProcess *runPrint(const QStringList &arguments);

    QTemporaryDir scratch_;
    QString workbook_;
    QProcess print_;
};

void LabelPrinterTest::initTestCase()
{
    QVERIFY(!queueName("TAGLOOM_ZPL203").isEmpty());
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "tagloom", "tagloom").clear();
    workbook_ = scratch_.filePath("rows.xls");
    QVERIFY(writeWorkbook(workbook_, rows));
}

QString LabelPrinterTest::writeLayout(const QString &name, const QString &picture,
    const QString &workbook, const QRectF &qrItem, const QRectF &barcodeHolder)
{
    const auto rect = [](const QRectF &twips) {
        return QStringLiteral("%1,%2,%3,%4")
            .arg(twips.top())
            .arg(twips.left())
            .arg(twips.width())
            .arg(twips.height());
    };
    const QString path = scratch_.filePath(name);
    QFile layout(path);
    if (!layout.open(QIODevice::WriteOnly)) return {};
    const QStringList lines = {"text1," + picture, "text2," + workbook, "label1(1),300,600,10",
        "label1(2),300,2400,12", "label1(3),5400,600,7", "Image1," + rect(qrItem),
        "Picture2," + rect(barcodeHolder), "Combo1(0),2", "Combo1(1),0"};
    layout.write(lines.join("\r\n").toUtf8() + "\r\n");
    return path;
}

QProcess *LabelPrinterTest::runPrint(const QStringList &arguments)
{
    print_.start(programBinary(), QStringList {"print"} + arguments);
    print_.waitForFinished(120000);
    return &print_;
}

// The command line on the 203 dpi printer: a 6 x 4 in label on its 6 x 4 in media, two copies of
// each row, in row order.
void LabelPrinterTest::printCommandPrintsTrueSizeLabelsInCopies()
{
    const QString queue = queueName("TAGLOOM_ZPL203");
    const QRectF qrItem(6000, 600, 1800, 1800);
    const QRectF holder(600, 3600, 4800, 1200);
    const QString layout = writeLayout(
        "six-by-four.ini", framedPicture(scratch_.path(), 6, 4), workbook_, qrItem, holder);
    QFile::remove(spoolFile(queue));
    QProcess *print = runPrint({layout, "--printer", queue, "--copies", "2"});
    QCOMPARE(print->readAllStandardError(), QByteArray());
    QCOMPARE(print->exitCode(), 0);

    const QList<ZplPage> pages = printed(queue);
    QCOMPARE(pages.size(), 6);
    // A layout leaves the barcode component where the canvas put it: 400 twips left of the
    // holder, 8000 wide; the holder shows the strip of it that the bars fill.
    const QRectF strip(600, 3600, 4800, 1000);
    const Expected expected {203, QSizeF(6, 4), QPointF(0, 0), qrItem, strip};
    for (int page = 0; page < 6; ++page)
        checkPage(pages[page], expected, rows[1 + page / 2]);

    // A scale for this run alone: the label at 60 %, its codes still on whole dots.
    QFile::remove(spoolFile(queue));
    print = runPrint({layout, "--printer", queue, "--to", "1", "--scale", "60"});
    QCOMPARE(print->exitCode(), 0);
    const QList<ZplPage> scaled = printed(queue);
    QCOMPARE(scaled.size(), 1);
    checkPage(scaled[0], {203, QSizeF(6, 4), QPointF(0, 0), qrItem, strip, 0.6}, rows[1]);
}

// A 3 x 2 in picture whose layout gives the label 6 x 4 in: the whole label prints twice as large,
// filling the 6 x 4 in media, its codes on whole dots.
void LabelPrinterTest::aLabelOfItsOwnSizePrintsScaledOnTheDots()
{
    const QString queue = queueName("TAGLOOM_ZPL203");
    const QRectF qrItem(3300, 1200, 900, 900);
    const QRectF holder(300, 1800, 2400, 600);
    const QString layout = writeLayout(
        "three-by-two.ini", framedPicture(scratch_.path(), 3, 2), workbook_, qrItem, holder);
    QVERIFY(appendBlock(layout, {"Picture1.width=152.40", "Picture1.height=101.60"}));
    QFile::remove(spoolFile(queue));
    QProcess *print = runPrint({layout, "--printer", queue, "--to", "2"});
    QCOMPARE(print->readAllStandardError(), QByteArray());
    QCOMPARE(print->exitCode(), 0);
    const QList<ZplPage> pages = printed(queue);
    QCOMPARE(pages.size(), 2);
    const QRectF strip(300, 1800, 2400, 500); // the barcode 1000 twips high, in a 600 holder
    for (int page = 0; page < 2; ++page)
        checkPage(
            pages[page], {203, QSizeF(6, 4), QPointF(0, 0), qrItem, strip, 2}, rows[1 + page]);
}

// Command6 on the 300 dpi printer, chosen in the main window, whose media the server sets to
// 4 x 2 in: a 5 x 2.5 in label gets a page of its own size, moved by the printer's calibration.
void LabelPrinterTest::printButtonPutsALargerLabelOnAPageOfItsOwnWhereTheCalibrationSays()
{
    const QString queue = queueName("TAGLOOM_ZPL300");
    TestProgram program;
    program.startDesign(framedPicture(scratch_.path(), 5, 2.5), workbook_);
    LabelDesign &design = program.workspace.canvas();
    const QRectF qrItem(5000, 300, 1800, 1800);
    design.moveField(1, 300, 300);
    design.moveField(2, 300, 900);
    design.moveField(3, 300, 1500);
    design.setCodeImageGeometry({5000, 300, 1800, 1800});
    design.setBarcodeHolderGeometry({300, 2100, 4200, 1200});
    program.panel().chooser(MainPanel::QrSource).setListIndex(2);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("3"));

    // The list shows the queues when it opens.
    auto *printer = program.control<QComboBox>("PrinterChoice");
    printer->showPopup();
    printer->hidePopup();
    const int index = printer->findData(queue);
    QVERIFY(index > 0);
    printer->setCurrentIndex(index);
    program.control<QDoubleSpinBox>("OffsetX")->setValue(2);
    program.control<QDoubleSpinBox>("OffsetY")->setValue(1);
    QCOMPARE(PrintSettings::chosenPrinter(), queue);
    QCOMPARE(PrintSettings::calibration(queue).offsetMm, QPointF(2, 1));

    QFile::remove(spoolFile(queue));
    program.dialogs.answerMessage();
    program.click("Command6");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.form1().status(), QStringLiteral("已送出3张标签。"));
    const QList<ZplPage> pages = printed(queue);
    QCOMPARE(pages.size(), 3);
    const Expected expected {300, QSizeF(5, 2.5), QPointF(2, 1), qrItem, design.barcodeStrip()};
    for (int page = 0; page < 3; ++page)
        checkPage(pages[page], expected, rows[1 + page]);
}

void LabelPrinterTest::everyCodeTypeScansOnTheDotsAndInPdf_data()
{
    // The type as the layout's extension block names it, the QR code's level, the barcode's cell,
    // ZXing's name of the type, what the scanners read, zbarimg's name of the type (empty where
    // it reads none), the human-readable text as words of the PDF.
    for (const char *column : {"type", "level", "value", "format", "read", "zbar", "words"})
        QTest::addColumn<QString>(column);
    const char *const table[][8] = {
        {"Code 128", "code128", "L", "TL-0001", "Code128", "TL-0001", "CODE-128", "TL-0001"},
        {"EAN-13, check digit added", "ean13", "M", "400638133393", "EAN13", "4006381333931",
            "EAN-13", "4 006381 333931"},
        {"EAN-13, check digit given", "ean13", "Q", "4006381333931", "EAN13", "4006381333931",
            "EAN-13", "4 006381 333931"},
        {"EAN-8", "ean8", "H", "96385074", "EAN8", "96385074", "EAN-8", "9638 5074"},
        {"UPC-A", "upca", "M", "03600029145", "UPCA", "036000291452", "UPC-A", "0 36000 29145 2"},
        {"ITF-14", "itf14", "M", "1540014128876", "ITF", "15400141288763", "I2/5",
            "15400141288763"},
        {"Code 39", "code39", "M", "TL-0001 A/B", "Code39", "TL-0001 A/B", "CODE-39",
            "*TL-0001 A/B*"},
        {"GS1-128", "gs1-128", "M", "(01)09501101530003(10)ABC", "Code128", "010950110153000310ABC",
            "CODE-128", "(01)09501101530003(10)ABC"},
        {"Data Matrix", "datamatrix", "M", "青花茶杯 TL-0001", "DataMatrix", "青花茶杯 TL-0001", "",
            ""},
        {"PDF417", "pdf417", "M", "TL-0001 白瓷碗", "PDF417", "TL-0001 白瓷碗", "", ""},
    };
    for (const auto &row : table) {
        QTestData &data = QTest::newRow(row[0]);
        for (int column = 1; column < 8; ++column)
            data << QString::fromUtf8(row[column]);
    }
}

// Every barcode type and QR code level, chosen in the layout, through tagloom print to the 203 dpi
// printer and to PDF: both scanners read the row's value from both, the QR code has its level,
// and on the printer's dots every bar and module is the same whole number of dots.
void LabelPrinterTest::everyCodeTypeScansOnTheDotsAndInPdf()
{
    QFETCH(QString, type);
    QFETCH(QString, level);
    QFETCH(QString, value);
    QFETCH(QString, format);
    QFETCH(QString, read);
    QFETCH(QString, zbar);
    QFETCH(QString, words);
    const QString name = type + level;
    const QString workbook = scratch_.filePath(name + ".xls");
    QVERIFY(writeWorkbook(workbook, {rows[0], {value, "青花茶杯", "https://example.com/p/1"}}));
    const QRectF holder(600, 3600, 4800, 1200);
    const QString layout = writeLayout(name + ".ini", framedPicture(scratch_.path(), 6, 4),
        workbook, {6000, 600, 1800, 1800}, holder);
    QVERIFY(appendBlock(layout, {"Image1.level=" + level, "Picture2.type=" + type}));

    const QString queue = queueName("TAGLOOM_ZPL203");
    QFile::remove(spoolFile(queue));
    QProcess *print = runPrint({layout, "--printer", queue});
    QCOMPARE(print->readAllStandardError(), QByteArray());
    QCOMPARE(print->exitCode(), 0);
    const QList<ZplPage> dots = printed(queue);
    QCOMPARE(dots.size(), 1);
    const QString pdf = scratch_.filePath(name + ".pdf");
    QCOMPARE(runPrint({layout, "--pdf", pdf})->exitCode(), 0);

    // The scanners aimed at the barcode item (ZXing looks for a Data Matrix from the middle of
    // the picture); the QR code is read from the whole page.
    const QList<std::pair<QImage, int>> pages
        = {{dots[0].dots, 203}, {renderPdfPage(pdf, 1, 300), 300}};
    for (const auto &[page, dpi] : pages) {
        const QImage item = page.copy(dotsOf(holder, dpi, {}).adjusted(-20, -20, 20, 20));
        const std::optional<DecodedCode> code = findCode(item, format);
        QVERIFY(code);
        QCOMPARE(code->text, read);
        QCOMPARE(findQr(page)->ecLevel, level);
        const QStringList zbarRead = zbarCodes(item);
        if (!zbar.isEmpty())
            QVERIFY2(zbarRead.contains(zbar + ':' + read), qPrintable(zbarRead.join(' ')));
    }
    const QList<int> runs = barRuns(dots[0].dots, dotsOf({600, 3600, 4800, 1000}, 203, {}));
    const int narrowest = *std::min_element(runs.cbegin(), runs.cend());
    QVERIFY(narrowest >= 2);
    for (const int run : runs)
        QCOMPARE(run % narrowest, 0);
    // The human-readable text is words of the PDF: EAN and UPC split their digits where the
    // standard puts them, between and beside the bars.
    const QStringList text = pdfPageText(pdf, 1).split(QRegularExpression("\\s+"));
    for (const QString &word : words.split(' ', Qt::SkipEmptyParts))
        QVERIFY2(text.contains(word), qPrintable(text.join(' ')));
}

void LabelPrinterTest::labelsAPrinterCannotPrintAreRefusedBeforeAnyPage()
{
    const QString sixByFour = framedPicture(scratch_.path(), 6, 4);
    const QString layout = writeLayout(
        "refused.ini", sixByFour, workbook_, {6000, 600, 1800, 1800}, {600, 3600, 4800, 1200});

    // The DYMO driver takes only its own sizes, none of them 6 x 4 in.
    const QString dymo = queueName("TAGLOOM_DYMO");
    QFile::remove(spoolFile(dymo));
    QProcess *print = runPrint({layout, "--printer", dymo});
    QCOMPARE(print->exitCode(), 1);
    QString error = QString::fromUtf8(print->readAllStandardError());
    QVERIFY2(
        error.contains(QStringLiteral("标签（152.4 × 101.6 毫米）比打印机纸张（28.6 × 88.9 毫米）"))
            && error.contains(QStringLiteral("而这台打印机不接受自定义纸张尺寸")),
        qPrintable(error));
    QCOMPARE(error.count('\n'), 1);

    // Squeezed into a 3000-twip holder after a layout load, row 3's long value would need bars
    // under 2 dots wide at 203 dpi; rows 1 and 2 fit.
    QList<QStringList> longRow = rows;
    longRow[3][0] = QStringLiteral("TL-0003-LONG-VALUE-XYZ");
    const QString workbook = scratch_.filePath("long.xls");
    QVERIFY(writeWorkbook(workbook, longRow));
    const QString squeezed = writeLayout(
        "squeezed.ini", sixByFour, workbook, {6000, 600, 1800, 1800}, {600, 3600, 3000, 1200});
    const QString zpl = queueName("TAGLOOM_ZPL203");
    QFile::remove(spoolFile(zpl));
    print = runPrint({squeezed, "--printer", zpl});
    QCOMPARE(print->exitCode(), 1);
    error = QString::fromUtf8(print->readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("第3行“SKU”列的条形码太窄"))
            && error.contains(QStringLiteral("现在是52.9毫米")),
        qPrintable(error));
    // The same layout prints to PDF, where no dots limit the bars.
    QCOMPARE(runPrint({squeezed, "--pdf", scratch_.filePath("squeezed.pdf")})->exitCode(), 0);
    // A QR code item of 300 twips, 42 dots, leaves its 29 modules less than two dots each.
    const QString smallQr = writeLayout(
        "small-qr.ini", sixByFour, workbook_, {6000, 600, 300, 300}, {600, 3600, 4800, 1200});
    print = runPrint({smallQr, "--printer", zpl});
    QCOMPARE(print->exitCode(), 1);
    error = QString::fromUtf8(print->readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("第1行“网址”列的二维码太小"))
            && error.contains(QStringLiteral("现在是5.3 × 5.3毫米")),
        qPrintable(error));
    // A row that is no EAN-13: "TL-0001" in the first row, a wrong check digit in the third.
    longRow[3][0] = QStringLiteral("4006381333932");
    QVERIFY(writeWorkbook(workbook, longRow));
    QVERIFY(appendBlock(squeezed, {"Picture2.type=ean13"}));
    print = runPrint({squeezed, "--printer", zpl, "--from", "3"});
    QCOMPARE(print->exitCode(), 1);
    QCOMPARE(QString::fromUtf8(print->readAllStandardError()).trimmed(),
        QStringLiteral("tagloom print: 第3行“SKU”列不是 EAN-13：校验位应为 1"));
    // A PDF417 of 28 module rows in a holder 42 dots high.
    const QString flat = writeLayout(
        "flat.ini", sixByFour, workbook_, {6000, 600, 1800, 1800}, {600, 3600, 4800, 300});
    QVERIFY(appendBlock(flat, {"Picture2.type=pdf417"}));
    print = runPrint({flat, "--printer", zpl});
    QCOMPARE(print->exitCode(), 1);
    error = QString::fromUtf8(print->readAllStandardError());
    QVERIFY2(error.contains(QStringLiteral("第1行“SKU”列的条形码太小"))
            && error.contains(QStringLiteral("现在是84.7 × 5.3毫米")),
        qPrintable(error));

    QTest::qWait(500);
    QVERIFY(!QFile::exists(spoolFile(dymo)));
    QVERIFY(!QFile::exists(spoolFile(zpl)));
}

// The calibration label from the side panel: one page, its outline on the label's edges.
void LabelPrinterTest::theCalibrationLabelOutlinesTheLabel()
{
    const QString queue = queueName("TAGLOOM_ZPL203");
    PrintSettings::setChosenPrinter(queue);
    PrintSettings::setCalibration(queue, {});
    TestProgram program;
    program.dialogs.answerOpen(framedPicture(scratch_.path(), 6, 4));
    program.click("Command1");
    QFile::remove(spoolFile(queue));
    program.click("PrintCalibration");
    QCOMPARE(program.form1().status(), QStringLiteral("已把校准标签送到打印机 %1。").arg(queue));
    const QList<ZplPage> pages = printed(queue);
    QCOMPARE(pages.size(), 1);
    const QImage &dots = pages[0].dots;
    QCOMPARE(dots.size(), QSize(1218, 812));
    const QRect edges = inkIn(dots, dots.rect());
    QCOMPARE(edges, dots.rect());
    // The outline runs along all four edges; the ruler's millimetre ticks hang from the top.
    for (const int x : {0, dots.width() / 3, dots.width() - 1})
        QVERIFY(burnt(dots, x, 0) && burnt(dots, x, dots.height() - 1));
    for (const int y : {0, dots.height() / 2, dots.height() - 1})
        QVERIFY(burnt(dots, 0, y) && burnt(dots, dots.width() - 1, y));
    int ticks = 0;
    for (int x = 10; x < 10 + 80; ++x) // ten millimetres
        ticks += burnt(dots, x, 8) && !burnt(dots, x - 1, 8);
    QCOMPARE(ticks, 10);
}

QTEST_MAIN(LabelPrinterTest)
#include "LabelPrinterTest.moc"
