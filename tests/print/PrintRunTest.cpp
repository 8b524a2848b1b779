// The print run to PDF: one page per row that a scanner reads back as that row, the confirmation
// and the checks, the refusals that keep bad labels from printing, cancelling, the labels made
// ahead of the pages.
#include "print/PrintRun.h"

#include "app/LabelSizeDialog.h"
#include "canvas/DesignHistory.h"
#include "canvas/DesignSnapshot.h"
#include "canvas/LabelContent.h"
#include "canvas/LabelDesign.h"
#include "canvas/LabelPainter.h"
#include "canvas/LabelRow.h"
#include "data/DataTable.h"
#include "print/LabelOutput.h"
#include "print/LabelsAhead.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintProgressDialog.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"
#include "support/TestProgram.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <atomic>
#include <csignal>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using namespace tagloom;
using namespace tagloom::test;

namespace {

// Stops the run once a number of pages is done.
class StopAfter : public PrintProgress
{
public:
    explicit StopAfter(int pages)
        : pages_(pages)
    {
    }
    bool advance(int pagesDone, int pagesInAll) override
    {
        lastTotal = pagesInAll;
        return pagesDone < pages_;
    }
    int lastTotal = 0;

private:
    int pages_;
};

const QList<QStringList> products = {
    {"SKU", "名称", "网址"},
    {"TL-0001", "青花茶杯", "https://example.com/p/1"},
    {"TL-0002", "白瓷碗", "https://example.com/p/2"},
    {"TL-0003", "竹制托盘", "https://example.com/p/3"},
    {"TL-0004", "铸铁壶", "https://example.com/p/4"},
    {"TL-0005", "茶巾", ""},
    {"TL-0006", "茶叶罐", "https://example.com/p/6"},
};

// A printer that takes a number of pages and then refuses the next one.
class FailingOutput : public LabelOutput
{
public:
    FailingOutput(LabelOutput &pages, int refuseAfter)
        : pages_(pages)
        , refuseAfter_(refuseAfter)
    {
    }
    bool begin(const QSizeF &labelTwips, QString *reason) override
    {
        return pages_.begin(labelTwips, reason);
    }
    QPainter &painter() override { return pages_.painter(); }
    bool nextPage(QString *reason) override
    {
        if (++taken_ >= refuseAfter_) {
            *reason = QStringLiteral("打印机缺纸");
            return false;
        }
        return pages_.nextPage(reason);
    }
    bool finish(QString *reason) override { return pages_.finish(reason); }

private:
    LabelOutput &pages_;
    int refuseAfter_;
    int taken_ = 0;
};

// A printer that takes a while for every page, as label printers do.
class SlowOutput : public FailingOutput
{
public:
    using FailingOutput::FailingOutput;
    bool nextPage(QString *reason) override
    {
        QThread::msleep(300);
        return FailingOutput::nextPage(reason);
    }
};

} // namespace

class PrintRunTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyPageCarriesItsRow();
    void confirmationAndSourceChecks_data();
    void confirmationAndSourceChecks();
    void refusalsPrintNothing_data();
    void refusalsPrintNothing();
    void aBareCanvasPrintsWithoutTheTable();
    void theRunLeavesTheLastRowOnTheCanvas();
    void anyRowIsDrawnAsItPrintsWithoutTouchingTheDesign();
    void thePreviewShowsTheChosenRowAndLeavesTheDesign();
    void aLabelOfItsOwnSizePrintsAtThatSize();
    void theLabelKeepsItsProportionsUnlessUnlocked();
    void textsRunningPastTheLabelAreNamedBeforeTheFirstPage();
    void cancellingSendsThePagesDone();
    void aFailingPrinterStopsAndSaysWhatWasSent();
    void labelsMadeAheadComeInOrderUntilStopped();
    void aBitmapFolderThatGoesStopsTheRunAtItsLabel();
    void theWindowsStayWhileTheRunWorksOnThem();
    void aPersonReadingTheConfirmationIsNotInterrupted();
    void theProgressGoesBeforeTheRunSaysHowItEnded();
    void printCommandPrintsALayoutWithoutWindows();
    void printCommandTakesTheDataFileAtRunTime();
    void copiesFollowEachOtherInRowOrder();
    void aKilledRunLeavesNothingBehind();
    void onlyARegularFileIsReplaced_data();
    void onlyARegularFileIsReplaced();
    void standardInputIsReadAsFarAsATableGoes();

private:
    // A design with a picture, the products table, its field items, both codes and both sources.
    void prepare(TestProgram &program, const QString &workbook = {});
    PrintRun::Result print(TestProgram &program, const QString &pdf,
        PrintProgress *progress = nullptr, int copies = 1);
    // The example layout with rows of its own, in the scratch folder.
    QString exampleLayoutWithRows(int rows);

    QTemporaryDir scratch_;
    QString workbook_;
};

void PrintRunTest::initTestCase()
{
    // No print server: the tests that click "开始打印" must not reach a real default printer.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    workbook_ = scratch_.filePath("products.xls");
    QVERIFY(writeWorkbook(workbook_, products));
}

void PrintRunTest::prepare(TestProgram &program, const QString &workbook)
{
    program.startDesign(
        fixture("pictures/label_600x400.png"), workbook.isEmpty() ? workbook_ : workbook);
    LabelDesign &design = program.workspace.canvas();
    design.moveField(1, 300, 4500);
    design.moveField(2, 300, 5100);
    design.setFieldVisible(3, false); // the URL itself does not print
    design.setCodeImageGeometry({6600, 300, 1800, 1800});
    design.setBarcodeHolderGeometry({300, 300, 5400, 1500});
    design.setBarcodeGeometry({-400, 0, 8400, 1500});
    program.panel().chooser(MainPanel::QrSource).setListIndex(2);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    QVERIFY(program.dialogs.allAnswered());
}

PrintRun::Result PrintRunTest::print(
    TestProgram &program, const QString &pdf, PrintProgress *progress, int copies)
{
    PdfFileOutput output(pdf);
    SilentProgress silent;
    return PrintRun(program.workspace, output, progress ? *progress : silent, copies).run();
}

QString PrintRunTest::exampleLayoutWithRows(int rows)
{
    const QString layoutPath = scratch_.filePath(QStringLiteral("rows-%1.ini").arg(rows));
    if (QFile::exists(layoutPath)) return layoutPath;
    QList<QStringList> table = {{"货号", "品名", "规格", "产地", "价格", "网址"}};
    for (int row = 1; row <= rows; ++row)
        table.append({QStringLiteral("QM-%1").arg(2000 + row), QStringLiteral("样品%1").arg(row),
            "1", "2", "3", QStringLiteral("https://example.com/p/%1").arg(row)});
    const QString workbook = QStringLiteral("rows-%1.xls").arg(rows);
    if (!writeWorkbook(scratch_.filePath(workbook), table)) return {};
    QFile::copy(sourceFile("examples/label.png"), scratch_.filePath("label.png"));
    QFile layout(layoutPath);
    QFile exampleLayout(sourceFile("examples/example.ini"));
    if (!exampleLayout.open(QIODevice::ReadOnly) || !layout.open(QIODevice::WriteOnly)) return {};
    layout.write(exampleLayout.readAll().replace("products.xls", workbook.toUtf8()));
    return layoutPath;
}

void PrintRunTest::everyPageCarriesItsRow()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::FirstRow, QStringLiteral("2"));
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("6"));
    const QString pdf = scratch_.filePath("rows.pdf");
    program.dialogs.answerMessage(MessageAnswer::Ok);
    const PrintRun::Result result = print(program, pdf);
    QCOMPARE(result.outcome, PrintRun::Outcome::Printed);
    QCOMPARE(result.pagesSent, 5);
    QCOMPARE(program.dialogs.messages().last().text, QStringLiteral("将打印第2到6行,共5个标签"));

    QCOMPARE(pdfPageCount(pdf), 5);
    QCOMPARE(pdfPageSize(pdf), QSizeF(450, 300)); // the label itself: 600 × 400 picture pixels
    for (int page = 1; page <= 5; ++page) {
        const QStringList &row = products[page + 1];
        const QImage image = renderPdfPage(pdf, page);
        const std::optional<DecodedCode> barcode = findCode128(image);
        QVERIFY(barcode);
        QCOMPARE(barcode->text, row[0]);
        const std::optional<DecodedCode> qr = findQr(image);
        if (row[2].isEmpty()) {
            QVERIFY2(!qr, "an empty cell prints the label without the code");
        } else {
            QVERIFY(qr);
            QCOMPARE(qr->text, row[2]);
            // True size: 1800 twips are 1.25 inch, 375 pixels at 300 dpi.
            QVERIFY2(qAbs(qr->bounds.width() - 375) <= 6,
                qPrintable(QString::number(qr->bounds.width())));
        }
        const QString text = pdfPageText(pdf, page);
        QVERIFY2(text.contains(row[1]), qPrintable(text));
        QVERIFY(text.contains(row[0]));
        QVERIFY2(!text.contains(row[2]) || row[2].isEmpty(), "a hidden field item does not print");
    }
}

void PrintRunTest::confirmationAndSourceChecks_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<int>("qrSource");
    QTest::addColumn<int>("barcodeSource");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("pages");
    const QString prompt = QStringLiteral("将打印第%1到%2行,共%3个标签");
    QTest::newRow("one row") << "1"
                             << "1" << 2 << 0 << true << QStringList {prompt.arg("1", "1", "1")}
                             << 1;
    QTest::newRow("spaces kept") << " 1"
                                 << "3 " << 2 << 0 << true
                                 << QStringList {prompt.arg(" 1", "3 ", "3")} << 3;
    QTest::newRow("reversed") << "5"
                              << "3" << 2 << 0 << true << QStringList {prompt.arg("5", "3", "-1")}
                              << 0;
    QTest::newRow("declined") << "1"
                              << "6" << 2 << 0 << false << QStringList {prompt.arg("1", "6", "6")}
                              << 0;
    QTest::newRow("no QR source") << "1"
                                  << "2" << -1 << -1 << true
                                  << QStringList {prompt.arg("1", "2", "2"),
                                         "没有选择二维码的对应数据项"}
                                  << 0;
    QTest::newRow("no barcode source")
        << "1"
        << "2" << 2 << -1 << true
        << QStringList {prompt.arg("1", "2", "2"), "没有选择条形码的对应数据项"} << 0;
}

void PrintRunTest::confirmationAndSourceChecks()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(int, qrSource);
    QFETCH(int, barcodeSource);
    QFETCH(bool, confirm);
    QFETCH(QStringList, messages);
    QFETCH(int, pages);
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::FirstRow, first);
    program.panel().setRangeText(MainPanel::LastRow, last);
    program.panel().chooser(MainPanel::QrSource).setListIndex(qrSource);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(barcodeSource);
    const int before = int(program.dialogs.messages().size());
    program.dialogs.answerMessage(confirm ? MessageAnswer::Ok : MessageAnswer::Cancel);
    if (messages.size() > 1) program.dialogs.answerMessage();
    const QString pdf
        = scratch_.filePath(QStringLiteral("checks-%1.pdf").arg(QTest::currentDataTag()));
    const PrintRun::Result result = print(program, pdf);
    QVERIFY(program.dialogs.allAnswered());
    QStringList shown;
    for (const MessageRequest &message : program.dialogs.messages().mid(before))
        shown << message.text;
    QCOMPARE(shown, messages);
    if (messages.size() > 1)
        QCOMPARE(program.dialogs.messages().last().title, QStringLiteral("出错"));
    else
        QCOMPARE(program.dialogs.messages().last().title, QStringLiteral("Tagloom"));
    QCOMPARE(result.pagesSent, pages);
    QCOMPARE(QFile::exists(pdf), pages > 0);
    if (pages > 0) QCOMPARE(pdfPageCount(pdf), pages);
    QVERIFY(!program.workspace.canvas().barcodeVisible());
}

void PrintRunTest::refusalsPrintNothing_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("workbookRow"); // a row to add to the products, "" for none
    QTest::addColumn<int>("qrSource");
    QTest::addColumn<QString>("expected"); // a part of the message
    QTest::addColumn<bool>("confirmFirst");
    QTest::newRow("empty") << ""
                           << "3" << QString() << 2 << "打印范围" << false;
    QTest::newRow("text") << "1"
                          << "abc" << QString() << 2 << "“abc”" << false;
    QTest::newRow("fraction") << "1.5"
                              << "3" << QString() << 2 << "“1.5”" << false;
    QTest::newRow("zero") << "0"
                          << "3" << QString() << 2 << "“0”" << false;
    QTest::newRow("negative") << "1"
                              << "-2" << QString() << 2 << "“-2”" << false;
    QTest::newRow("beyond the data") << "4"
                                     << "7" << QString() << 2 << "第1到6行" << false;
    QTest::newRow("source beyond the table") << "1"
                                             << "2" << QString() << 5 << "只有3列" << false;
    QTest::newRow("chinese barcode")
        << "1"
        << "7" << QStringLiteral("茶壶-01") << 2 << "第7行“SKU”列不能生成条形码" << true;
    QTest::newRow("data window closed")
        << "1"
        << "3" << QString() << 2 << "关闭数据源窗口时，导入的数据随之清空" << false;
    QTest::newRow("long QR") << "6"
                             << "7" << QStringLiteral("x").repeated(0) << 2
                             << "第7行“网址”列不能生成二维码" << true;
}

void PrintRunTest::refusalsPrintNothing()
{
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QString, workbookRow);
    QFETCH(int, qrSource);
    QFETCH(QString, expected);
    QFETCH(bool, confirmFirst);
    QList<QStringList> rows = products;
    if (QByteArray(QTest::currentDataTag()) == "chinese barcode")
        rows.append({workbookRow, "x", "https://example.com/7"});
    if (QByteArray(QTest::currentDataTag()) == "long QR")
        rows.append({"TL-0007", "x", QStringLiteral("很长的二维码内容").repeated(200)});
    const QString workbook
        = scratch_.filePath(QStringLiteral("refusal-%1.xls").arg(QTest::currentDataTag()));
    QVERIFY(writeWorkbook(workbook, rows));

    TestProgram program;
    prepare(program, workbook);
    if (qrSource
        >= 3) { // choosers grow with every import: a later, narrower table leaves old choices
        for (int extra = 0; extra < 3; ++extra)
            program.panel()
                .chooser(MainPanel::QrSource)
                .append(QStringLiteral("old %1").arg(extra));
    }
    program.panel().chooser(MainPanel::QrSource).setListIndex(qrSource);
    if (QByteArray(QTest::currentDataTag()) == "data window closed") {
        program.dialogs.answerMessage(MessageAnswer::Yes);
        program.forms.form3()->close();
    }
    program.panel().setRangeText(MainPanel::FirstRow, first);
    program.panel().setRangeText(MainPanel::LastRow, last);
    if (confirmFirst) program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    const QString pdf
        = scratch_.filePath(QStringLiteral("refused-%1.pdf").arg(QTest::currentDataTag()));
    const PrintRun::Result result = print(program, pdf);
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(result.outcome, PrintRun::Outcome::Refused);
    const MessageRequest refusal = program.dialogs.messages().last();
    QCOMPARE(refusal.title, QStringLiteral("出错"));
    QVERIFY2(refusal.text.contains(expected), qPrintable(refusal.text));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(program.workspace.canvas().field(1).caption,
        QStringLiteral("SKU")); // nothing was filled in
}

void PrintRunTest::aBareCanvasPrintsWithoutTheTable()
{
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
    program.click("Command1");
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("3"));
    program.dialogs.answerMessage();
    const QString pdf = scratch_.filePath("bare.pdf");
    QCOMPARE(print(program, pdf).pagesSent, 3);
    QCOMPARE(pdfPageCount(pdf), 3);
    QVERIFY(!program.workspace.hasDataTable());
    // The picture is stored once and without loss: the pages look alike and keep the picture's
    // look.
    const QImage page = renderPdfPage(pdf, 2, 96);
    QImage picture(fixture("pictures/label_300x200.bmp"));
    picture = picture.convertToFormat(QImage::Format_Grayscale8);
    QCOMPARE(page.size(), picture.size());
    int differing = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x)
            differing += qAbs(qGray(page.pixel(x, y)) - qGray(picture.pixel(x, y))) > 24;
    QVERIFY2(
        differing < page.width() * page.height() / 100, qPrintable(QString::number(differing)));
}

void PrintRunTest::theRunLeavesTheLastRowOnTheCanvas()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("2"));
    program.dialogs.answerMessage();
    const LabelDesign &design = program.workspace.canvas();
    QSignalSpy captions(&design, &LabelDesign::fieldChanged);
    QSignalSpy codeImage(&design, &LabelDesign::codeImageChanged);
    QCOMPARE(print(program, scratch_.filePath("last.pdf")).pagesSent, 2);
    // The pages get their rows from the painter; the canvas follows once, with the last row.
    QCOMPARE(captions.count(), design.fieldCount() - 1);
    QCOMPARE(codeImage.count(), 1);
    QCOMPARE(design.field(1).caption, products[2][0]);
    QCOMPARE(design.field(3).caption, products[2][2]); // hidden, yet filled
    QVERIFY(!design.field(3).visible);
    QVERIFY(!design.qrCodeInserted()); // Image1 shows a bitmap of its own now
    QCOMPARE(design.qrMaker().codeData(), products[2][2]); // the generator has the last label's
    QImage quietZone(260, 260, QImage::Format_Grayscale8);
    quietZone.fill(Qt::white);
    QPainter(&quietZone).drawImage(QRect(25, 25, 210, 210), *design.codeImage().picture);
    QCOMPARE(decodeQr(quietZone), products[2][2]);
    QVERIFY(!design.barcodeVisible());
    QCOMPARE(design.barcode().value(), products[2][0]);
    QVERIFY(!QFile::exists(QDir(QCoreApplication::applicationDirPath()).filePath("tmpQR.bmp")));

    // So a second run no longer asks for a QR source.
    program.panel().chooser(MainPanel::QrSource).setListIndex(-1);
    program.dialogs.answerMessage();
    QCOMPARE(print(program, scratch_.filePath("again.pdf")).pagesSent, 2);
}

void PrintRunTest::anyRowIsDrawnAsItPrintsWithoutTouchingTheDesign()
{
    TestProgram program;
    prepare(program);
    LabelDesign &design = program.workspace.canvas();
    design.setBarcodeVisible(true);
    LabelRow row;
    for (const QString &cell : products[3])
        row.captions.push_back(cell);
    row.captions.insert(row.captions.begin(), QString()); // element 0, the template, has none
    row.qrPicture = PictureRef(); // an empty cell: no code
    BarCodeCtrl barcode = design.barcode();
    barcode.setValue(products[3][0]);
    row.barcode = barcode;

    const auto draw = [&](const LabelRow *withRow) {
        QImage image(600, 400, QImage::Format_RGB32);
        QPainter painter(&image);
        LabelPainter::useTwips(painter);
        painter.scale(96.0 / image.logicalDpiX(), 96.0 / image.logicalDpiY());
        if (withRow)
            LabelPainter::paint(painter, design, *withRow);
        else
            LabelPainter::paint(painter, design);
        return image;
    };
    const DesignSnapshot before = DesignSnapshot::of(design);
    const QImage designed = draw(nullptr);
    const QImage withRow = draw(&row);
    QCOMPARE(DesignSnapshot::of(design), before);
    QCOMPARE(draw(nullptr), designed);
    QVERIFY(withRow != designed);
    QCOMPARE(findCode128(withRow)->text, products[3][0]);

    row.applyTo(design);
    QCOMPARE(draw(nullptr), withRow);
}

void PrintRunTest::thePreviewShowsTheChosenRowAndLeavesTheDesign()
{
    TestProgram program;
    prepare(program);
    QWidget *canvas = program.forms.form2()->findChild<QWidget *>(QStringLiteral("Picture1"));
    auto *check = program.control<QCheckBox>(QStringLiteral("PreviewCheck"));
    auto *row = program.control<QSpinBox>(QStringLiteral("PreviewRow"));
    QVERIFY(canvas && check && row);
    const LabelDesign &design = program.workspace.canvas();
    const DesignSnapshot before = DesignSnapshot::of(design);
    const QImage designed = canvas->grab().toImage();

    check->setChecked(true);
    QCOMPARE(row->maximum(), products.size() - 1);
    for (int shown : {4, 5}) {
        row->setValue(shown);
        const QImage preview = canvas->grab().toImage();
        QCOMPARE(findCode128(preview)->text, products[shown][0]);
        const std::optional<DecodedCode> qr = findQr(preview);
        QCOMPARE(qr ? qr->text : QString(), products[shown][2]); // row 5 has no code
        QCOMPARE(DesignSnapshot::of(design), before);
        QVERIFY(!design.barcodeVisible());
    }
    QVERIFY(program.form1().status().contains(QStringLiteral("第5行")));

    check->setChecked(false);
    QCOMPARE(canvas->grab().toImage(), designed);

    // Closing the canvas ends the preview; without a table there is nothing to preview.
    program.forms.unloadCanvasWindow();
    TestProgram::settle();
    QVERIFY(!check->isChecked());
    TestProgram bare;
    auto *bareCheck = bare.control<QCheckBox>(QStringLiteral("PreviewCheck"));
    bareCheck->setChecked(true);
    QVERIFY(!bareCheck->isChecked());
    QVERIFY(bare.form1().status().contains(QStringLiteral("没有可预览的数据行")));
}

void PrintRunTest::aLabelOfItsOwnSizePrintsAtThatSize()
{
    // The 600 × 400 label scanned at 300 dpi: 2 × 4/3 inches.
    QImage scan(fixture("pictures/label_600x400.png"));
    scan.setDotsPerMeterX(11811);
    scan.setDotsPerMeterY(11811);
    const QString picture = scratch_.filePath("scan300.png");
    QVERIFY(scan.save(picture));
    TestProgram program;
    program.startDesign(picture, workbook_);
    LabelDesign &design = program.workspace.canvas();
    design.setCodeImageGeometry({6600, 300, 2400, 2400});
    program.panel().chooser(MainPanel::QrSource).setListIndex(2);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    const DesignSnapshot before = DesignSnapshot::of(design);

    program.form1().findChild<QAction *>(QStringLiteral("LabelSizeAction"))->trigger();
    auto *dialog = program.form1().findChild<LabelSizeDialog *>();
    QVERIFY(dialog);
    auto *width = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("LabelWidth"));
    auto *height = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("LabelHeight"));
    QVERIFY(qAbs(width->value() - 158.75) < 0.06); // 9000 twips: 15 a pixel
    dialog->findChild<QPushButton *>(QStringLiteral("ByResolution"))->click();
    QCOMPARE(width->value(), 50.8);
    QCOMPARE(height->value(), 33.9);
    dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    QVERIFY(design.physicalSize());
    QVERIFY(qAbs(design.physicalSize()->width() - 2880) < 3);
    QCOMPARE(design.scaleWidth(), 9000.0F); // the canvas keeps its size

    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("2"));
    program.dialogs.answerMessage(MessageAnswer::Ok);
    const QString pdf = scratch_.filePath("own-size.pdf");
    QCOMPARE(print(program, pdf).pagesSent, 2);
    const QSizeF page = pdfPageSize(pdf);
    QVERIFY2(qAbs(page.width() - 144) < 1 && qAbs(page.height() - 96) < 1,
        qPrintable(QStringLiteral("%1 × %2 pt").arg(page.width()).arg(page.height())));
    const QImage second = renderPdfPage(pdf, 2);
    QCOMPARE(decodeQr(second), std::optional<QString>(products[2][2]));
    QCOMPARE(decodeCode128(second), std::optional<QString>(products[2][0]));

    // One step of the history: taken back, the label prints at 15 twips a pixel again.
    program.workspace.history().stack().undo();
    QVERIFY(!design.physicalSize());
    QCOMPARE(DesignSnapshot::of(design).physicalSize, before.physicalSize);
}

void PrintRunTest::theLabelKeepsItsProportionsUnlessUnlocked()
{
    TestProgram program;
    program.startDesign(fixture("pictures/label_600x400.png"), workbook_);
    const LabelDesign &design = program.workspace.canvas();
    const auto *note = program.forms.form2()->findChild<QLabel *>(QStringLiteral("StretchNote"));
    // The width typed in the size dialog, the lock as given; the height the dialog then shows.
    const auto typeWidth = [&](double millimetres, bool keep) {
        program.form1().findChild<QAction *>(QStringLiteral("LabelSizeAction"))->trigger();
        auto *dialog = program.form1().findChild<LabelSizeDialog *>();
        auto *lock = dialog->findChild<QCheckBox *>(QStringLiteral("KeepProportions"));
        const bool lockedAtFirst = lock->isChecked();
        lock->setChecked(keep);
        dialog->findChild<QDoubleSpinBox *>(QStringLiteral("LabelWidth"))->setValue(millimetres);
        const double height
            = dialog->findChild<QDoubleSpinBox *>(QStringLiteral("LabelHeight"))->value();
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        TestProgram::settle();
        return std::pair(lockedAtFirst, height);
    };
    QCOMPARE(typeWidth(60, true), std::pair(true, 40.0)); // 600 × 400 pixels
    QVERIFY(qAbs(design.physicalSize()->height() / twipsPerMillimetre - 40) < 1e-6);
    QVERIFY(note->isHidden());
    QCOMPARE(typeWidth(45, false), std::pair(true, 40.0));
    QVERIFY(!note->isHidden());
    QCOMPARE(note->text(),
        QStringLiteral("标签尺寸 45.0 × 40.0 毫米与图片的比例不同：打印出来横向压缩到 75%。"));
    // A stretched label opens the dialog unlocked.
    QCOMPARE(typeWidth(90, false), std::pair(false, 40.0));
    QVERIFY(note->text().contains(QStringLiteral("横向拉伸到 150%")));
}

void PrintRunTest::textsRunningPastTheLabelAreNamedBeforeTheFirstPage()
{
    QList<QStringList> rows = products;
    rows[2][1] = rows[4][1] = QStringLiteral("白瓷碗").repeated(20); // 60 characters
    const QString workbook = scratch_.filePath("long.xls");
    QVERIFY(writeWorkbook(workbook, rows));
    TestProgram program;
    prepare(program, workbook);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("6"));
    // A text item with the same field is named by its text.
    FieldItem text = LabelDesign::newTextItem();
    text.caption = QStringLiteral("品名：{名称}");
    program.workspace.canvas().addTextItem(text);
    const QString question
        = QStringLiteral("下列文字超出了标签的边缘，打印出来会被截掉：\n“名称”列：第2、4行\n"
                         "文本“品名：{名称}”：第2、4行\n仍然打印吗？");

    // Asked after the confirmation, from the main window's button: "否" prints nothing.
    program.dialogs.answerMessage(MessageAnswer::Ok);
    program.dialogs.answerMessage(MessageAnswer::No);
    program.click("Command6");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.dialogs.messages().last().text, question);
    QCOMPARE(program.dialogs.messages().last().buttons, MessageButtons::YesNo);

    // "是" prints every row.
    program.dialogs.answerMessage(MessageAnswer::Ok);
    program.dialogs.answerMessage(MessageAnswer::Yes);
    QCOMPARE(print(program, scratch_.filePath("cut.pdf")).pagesSent, 6);

    // The command line warns on one line and prints.
    QProcess command;
    command.start(programBinary(),
        {"print", sourceFile("examples/example.ini"), "--data", "-", "--pdf",
            scratch_.filePath("cut-command.pdf")});
    command.write(
        QStringLiteral("货号,品名,规格,产地,价格,网址\nQM-1,%1,1,2,3,https://example.com\n")
            .arg(rows[2][1])
            .toUtf8());
    command.closeWriteChannel();
    QVERIFY(command.waitForFinished(60000));
    QCOMPARE(command.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(command.readAllStandardError()),
        QStringLiteral(
            "tagloom print: 警告：下列文字超出了标签的边缘，打印出来会被截掉：“品名”列：第1行\n"));
}

void PrintRunTest::cancellingSendsThePagesDone()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("6"));
    program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    StopAfter stop(2);
    const QString pdf = scratch_.filePath("cancelled.pdf");
    const PrintRun::Result result = print(program, pdf, &stop);
    QCOMPARE(result.outcome, PrintRun::Outcome::Cancelled);
    QCOMPARE(result.pagesSent, 2);
    QCOMPARE(stop.lastTotal, 6);
    QCOMPARE(pdfPageCount(pdf), 2);
    QCOMPARE(program.dialogs.messages().last().text, QStringLiteral("打印已取消，已送出2张标签。"));
    QVERIFY(!program.workspace.canvas().barcodeVisible());
}

void PrintRunTest::aFailingPrinterStopsAndSaysWhatWasSent()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("6"));
    program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    const QString pdf = scratch_.filePath("out-of-paper.pdf");
    PdfFileOutput pages(pdf);
    FailingOutput printer(pages, 3);
    SilentProgress progress;
    const PrintRun::Result result = PrintRun(program.workspace, printer, progress).run();
    QCOMPARE(result.outcome, PrintRun::Outcome::Failed);
    QCOMPARE(result.pagesSent, 3);
    QCOMPARE(pdfPageCount(pdf), 3);
    const MessageRequest message = program.dialogs.messages().last();
    QCOMPARE(message.title, QStringLiteral("出错"));
    QCOMPARE(message.text, QStringLiteral("打印机缺纸。已送出3张标签。"));
    QVERIFY(!program.workspace.canvas().barcodeVisible());
}

// The labels made ahead of the pages come in order, each with its own counter and codes, until a
// bitmap that cannot be written ends them at its label; the thread goes no further ahead than it
// may, and stopped, no further at all.
void PrintRunTest::labelsMadeAheadComeInOrderUntilStopped()
{
    DataTable table;
    table.bind(1, {"SKU", "TL-1", "TL-2", "TL-3"});
    QVERIFY(table.numberRows());
    LabelDesign design;
    FieldItem counter = LabelDesign::newTextItem();
    counter.caption = QStringLiteral("{序号:001}");
    design.addTextItem(counter);
    design.setCodeImageTemplate(QStringLiteral("{SKU}/{序号}"));
    LabelContent content(design, &table, 0, 1);
    QString problem;
    QVERIFY(content.bind(&problem));
    QTemporaryDir folder;
    int goneAt = 69;
    std::atomic<int> begun = 0;
    const auto thirtyARow = [&](const auto &label) {
        for (int n = 0;; ++n) {
            begun = n + 1;
            if (n == goneAt) QDir(folder.path()).removeRecursively();
            if (!label({n / 30 % 3 + 1, n, {}})) return;
        }
    };
    LabelRow made;
    {
        LabelsAhead labels(content, QrLevel::H, folder.filePath("qr.bmp"), thirtyARow);
        for (int n = 0; n < goneAt; ++n) {
            const QString sku = table.cell(n / 30 + 1, 1);
            QVERIFY(labels.next({n / 30 + 1, n, {}}, made, &problem));
            QCOMPARE(made.texts.at(0), QStringLiteral("%1").arg(n + 1, 3, 10, QChar('0')));
            QCOMPARE(made.barcode->value(), sku);
            QImage quietZone(260, 260, QImage::Format_Grayscale8);
            quietZone.fill(Qt::white);
            QPainter(&quietZone).drawImage(QRect(30, 30, 200, 200), **made.qrPicture);
            const std::optional<DecodedCode> qr = findQr(quietZone);
            QVERIFY(qr && qr->ecLevel == "H");
            QCOMPARE(qr->text, QStringLiteral("%1/%2").arg(sku).arg(n + 1));
        }
        QVERIFY(!labels.next({3, goneAt, {}}, made, &problem));
        QCOMPARE(problem, QStringLiteral("无法写入位图文件：%1").arg(folder.filePath("qr.bmp")));
    }
    goneAt = -1;
    QTemporaryDir another;
    // The two taken, the labels made for the painter to take, the one waiting for room.
    const int full = 2 + int(LabelsAhead::mostAhead) + 1;
    {
        LabelsAhead labels(content, QrLevel::M, another.filePath("qr.bmp"), thirtyARow);
        QVERIFY(labels.next({1, 0, {}}, made, &problem) && labels.next({1, 1, {}}, made, &problem));
        QTRY_COMPARE_WITH_TIMEOUT(begun.load(), full, 30000);
    }
    QCOMPARE(begun.load(), full);
}

// A bitmap folder that goes in the middle of the run stops it at the first label made without
// it, after the pages of the labels made before.
void PrintRunTest::aBitmapFolderThatGoesStopsTheRunAtItsLabel()
{
    QList<QStringList> rows = {products[0]};
    for (int row = 1; row <= 200; ++row)
        rows.append({QStringLiteral("TL-%1").arg(row), "", QStringLiteral("TL-%1").arg(row)});
    QVERIFY(writeWorkbook(scratch_.filePath("200.xls"), rows));
    TestProgram program;
    prepare(program, scratch_.filePath("200.xls"));
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("200"));
    program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    QTemporaryDir temporary; // the run's own folders go in it
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(temporary.path()));
    struct : PrintProgress
    {
        bool advance(int pagesDone, int) override
        {
            return pagesDone != 3 || QDir(path).removeRecursively();
        }
        QString path;
    } removing;
    removing.path = temporary.path();
    const PrintRun::Result result = print(program, scratch_.filePath("gone.pdf"), &removing);
    tmpdir.isNull() ? qunsetenv("TMPDIR") : qputenv("TMPDIR", tmpdir);
    const int sent = result.pagesSent;
    QVERIFY2(sent >= 3 && sent <= 3 + int(LabelsAhead::mostAhead), qPrintable(result.message));
    QCOMPARE(result.message.section(QChar(u'：'), 0, 0),
        QStringLiteral("打印在第%1行中止").arg(sent + 1));
    QVERIFY(result.message.endsWith(QStringLiteral("。已送出%1张标签。").arg(sent)));
    QCOMPARE(pdfPageCount(scratch_.filePath("gone.pdf")), sent);
    QCOMPARE(decodeCode128(renderPdfPage(scratch_.filePath("gone.pdf"), sent, 150)), rows[sent][0]);
}

// The progress dialog lets events run between pages: a user could close the canvas or the data
// window, whose contents the run is printing.
void PrintRunTest::theWindowsStayWhileTheRunWorksOnThem()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("4"));
    program.dialogs.answerMessage();
    class ClosingWindows : public PrintProgress
    {
    public:
        explicit ClosingWindows(Forms &forms)
            : forms_(forms)
        {
        }
        bool advance(int pagesDone, int) override
        {
            if (pagesDone == 2) {
                forms_.form2()->close();
                forms_.form3()->close();
                QCoreApplication::processEvents();
            }
            return true;
        }

    private:
        Forms &forms_;
    } closing(program.forms);
    const Form2 *canvas = program.forms.form2();
    QCOMPARE(print(program, scratch_.filePath("closing.pdf"), &closing).pagesSent, 4);
    QVERIFY(canvas->isVisible());
    QCOMPARE(program.forms.form2(), canvas);
    QCOMPARE(program.workspace.canvas().field(1).caption, products[4][0]);
    // Once the run is over they close as ever. Checked before events run: the docking timer
    // brings a new, empty table back at its next tick.
    program.dialogs.answerMessage(MessageAnswer::Yes);
    program.forms.form3()->close();
    QVERIFY(!program.workspace.hasDataTable());
}

void PrintRunTest::printCommandPrintsALayoutWithoutWindows()
{
    const QString example = sourceFile("examples/example.ini");
    const QString pdf = scratch_.filePath("command.pdf");
    QProcess print;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("QT_QPA_PLATFORM")); // it needs no display of its own
    environment.remove(QStringLiteral("DISPLAY"));
    print.setProcessEnvironment(environment);
    print.start(programBinary(), {"print", example, "--from", "4", "--to", "6", "--pdf", pdf});
    QVERIFY(print.waitForFinished(60000));
    QCOMPARE(print.readAllStandardError(), QByteArray());
    QCOMPARE(print.exitCode(), 0);
    QCOMPARE(pdfPageCount(pdf), 3);
    const QImage page = renderPdfPage(pdf, 2);
    QCOMPARE(decodeCode128(page), QStringLiteral("QM-1005"));
    QCOMPARE(decodeQr(page), QStringLiteral("https://example.com/p/QM-1005"));
    QVERIFY(pdfPageText(pdf, 2).contains(QStringLiteral("白瓷公道杯")));

    // A hundred rows end to end; in the sanitizer build this run also checks for leaks.
    const QString layout = exampleLayoutWithRows(100);
    QVERIFY(!layout.isEmpty());
    print.start(programBinary(), {"print", layout, "--pdf", pdf});
    QVERIFY(print.waitForFinished(120000));
    QCOMPARE(print.readAllStandardError(), QByteArray());
    QCOMPARE(print.exitCode(), 0);
    QCOMPARE(pdfPageCount(pdf), 100);
    QCOMPARE(decodeCode128(renderPdfPage(pdf, 100)), QStringLiteral("QM-2100"));

    // A layout whose first field item line holds a field of 40,000 characters, and a data file
    // of two columns for a layout of six field items.
    QFile exampleFile(example);
    QVERIFY(exampleFile.open(QIODevice::ReadOnly));
    QByteArray longField = exampleFile.readAll();
    longField.replace("label.png", sourceFile("examples/label.png").toUtf8())
        .replace("products.xls", sourceFile("examples/products.xls").toUtf8())
        .replace("label1(1),1140,", "label1(1)," + QByteArray(40000, 'x') + ',');
    QFile longFieldLayout(scratch_.filePath("long-field.ini"));
    QFile twoColumns(scratch_.filePath("two.csv"));
    QVERIFY(longFieldLayout.open(QIODevice::WriteOnly) && longFieldLayout.write(longField) > 0);
    QVERIFY(twoColumns.open(QIODevice::WriteOnly) && twoColumns.write("a,b\n1,2\n") > 0);
    longFieldLayout.close();
    twoColumns.close();

    // Failures: one short line on standard error, ours alone, a non-zero status, no PDF.
    const struct
    {
        QStringList arguments;
        int status;
        QString says;
    } failures[] = {
        {{"print", example, "--from", "11", "--to", "13", "--pdf", pdf + "x"}, 1, "第1到12行"},
        {{"print", scratch_.filePath("missing.ini"), "--pdf", pdf + "x"}, 1, "missing.ini"},
        {{"print", example, "--pdf", scratch_.filePath("no/such/folder/out.pdf")}, 1,
            "无法写入 PDF 文件"},
        {{"print", example, "--printer", "NoSuchPrinter"}, 1, "找不到打印机 NoSuchPrinter"},
        {{"print", example, "--from"}, 2, "--from"},
        {{"print", example, "--pdf", pdf + "x", "--printer", "P"}, 2, "--printer"},
        // A reversed range would print nothing and leave an older PDF looking new.
        {{"print", example, "--from", "5", "--to", "3", "--pdf", pdf + "x"}, 2,
            "--from 5 比 --to 3 大"},
        {{"print", example, "--copies", "0", "--pdf", pdf + "x"}, 2, "--copies"},
        {{"print", example, "--copies", "2.5", "--pdf", pdf + "x"}, 2, "--copies"},
        {{"print", example, "--offset", "1", "--printer", "P"}, 2, "--offset"},
        {{"print", example, "--offset", "1,80", "--printer", "P"}, 2, "--offset"},
        {{"print", example, "--scale", "20", "--printer", "P"}, 2, "--scale"},
        {{"print", example, "--scale", "99", "--pdf", pdf + "x"}, 2, "只用于打印机"},
        {{"print", example, "--from", "13", "--pdf", pdf + "x"}, 1, "第1到12行"},
        {{"print", example, "--picture", fixture("pictures/damaged_bit_depth.png"), "--pdf",
             pdf + "x"},
            1, "damaged_bit_depth.png"},
        {{"print", example, "--picture", fixture("pictures/damaged_frame_size.jpg"), "--pdf",
             pdf + "x"},
            1, "damaged_frame_size.jpg"},
        {{"print", example, "--picture", "/no/such\n\x1b[31mpicture.png", "--pdf", pdf + "x"}, 1,
            "/no/such\\n\\x1b[31mpicture.png"},
        {{"print", longFieldLayout.fileName(), "--pdf", pdf + "x"}, 1, "第 3 行第 1 项“xxx"},
        {{"print", example, "--data", twoColumns.fileName(), "--pdf", pdf + "x"}, 1,
            "two.csv”有 2 列，布局需要 6 列"},
    };
    for (const auto &failure : failures) {
        print.start(programBinary(), failure.arguments);
        QVERIFY(print.waitForFinished(60000));
        QCOMPARE(print.exitCode(), failure.status);
        const QString error = QString::fromUtf8(print.readAllStandardError());
        QVERIFY2(error.contains(failure.says) && error.size() < 1000, qPrintable(error.left(1000)));
        QVERIFY2(
            error.startsWith("tagloom") && error.count(QLatin1Char('\n')) == 1, qPrintable(error));
        QVERIFY(!QFile::exists(pdf + "x"));
    }
}

// People read a dialog before they answer it; timers and the docking keep running meanwhile, and
// nothing may come up over the dialog and take its keyboard focus.
void PrintRunTest::aPersonReadingTheConfirmationIsNotInterrupted()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("3"));
    program.dialogs.setPace(1500);
    program.dialogs.answerMessage(MessageAnswer::Ok);
    program.dialogs.answerMessage(); // there is no printer here
    program.click("Command6");
    QVERIFY(program.dialogs.allAnswered());
    const QList<MessageRequest> messages = program.dialogs.messages();
    QCOMPARE(messages.at(messages.size() - 2).text, QStringLiteral("将打印第1到3行,共3个标签"));
    QCOMPARE(messages.last().text, QStringLiteral("没有默认打印机。没有打印任何标签。"));
}

void PrintRunTest::theProgressGoesBeforeTheRunSaysHowItEnded()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("6"));
    program.dialogs.answerMessage();
    const QString pdf = scratch_.filePath("slow.pdf");
    PdfFileOutput pages(pdf);
    SlowOutput printer(pages, 4);
    PrintProgressDialog progress(&program.form1());
    // Slow pages bring the progress dialog up; the message at the end must not open under it.
    struct Watch : QObject
    {
        bool progressShown = false;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show && watched->objectName() == "PrintProgress")
                progressShown = true;
            return false;
        }
    } watch;
    qApp->installEventFilter(&watch);
    program.dialogs.answerMessage();
    program.dialogs.setPace(1000);
    const PrintRun::Result result = PrintRun(program.workspace, printer, progress).run();
    qApp->removeEventFilter(&watch);
    QCOMPARE(result.pagesSent, 4);
    QVERIFY(watch.progressShown);
    QCOMPARE(program.dialogs.messages().last().text, QStringLiteral("打印机缺纸。已送出4张标签。"));
}

// --data and --picture in place of the layout's files, the layout file left as it was.
void PrintRunTest::printCommandTakesTheDataFileAtRunTime()
{
    const QString example = sourceFile("examples/example.ini");
    QFile layout(example);
    QVERIFY(layout.open(QIODevice::ReadOnly));
    const QByteArray layoutBefore = layout.readAll();
    const QString pdf = scratch_.filePath("runtime.pdf");
    const QSizeF exampleLabel = [&] {
        QProcess print;
        print.start(programBinary(), {"print", example, "--to", "1", "--pdf", pdf});
        return print.waitForFinished(60000) ? pdfPageSize(pdf) : QSizeF();
    }();

    QProcess print;
    for (const char *data : {"products.csv", "products.xlsx", "products.ods", "-"}) {
        QStringList arguments = {"print", example, "--data"};
        if (QByteArray(data) == "-")
            arguments << "-"
                      << "--picture" << fixture("pictures/label_600x400.png");
        else
            arguments << fixture(QStringLiteral("runtime-data/") + data);
        print.start(programBinary(), arguments << "--pdf" << pdf);
        if (QByteArray(data) == "-") {
            QFile csv(fixture("runtime-data/products.csv"));
            QVERIFY(csv.open(QIODevice::ReadOnly));
            print.write(csv.readAll());
        }
        print.closeWriteChannel();
        QVERIFY(print.waitForFinished(60000));
        QCOMPARE(print.readAllStandardError(), QByteArray());
        QCOMPARE(print.exitCode(), 0);
        QCOMPARE(pdfPageCount(pdf), 3);
        const QImage page = renderPdfPage(pdf, 2);
        QCOMPARE(decodeCode128(page), QStringLiteral("RT-02"));
        QCOMPARE(decodeQr(page), QStringLiteral("https://example.com/rt/2"));
        QVERIFY(pdfPageText(pdf, 2).contains(QStringLiteral("运行时二")));
        // The label is as large as its picture.
        QCOMPARE(pdfPageSize(pdf) == exampleLabel, QByteArray(data) != "-");
    }
    QVERIFY(layout.seek(0));
    QCOMPARE(layout.readAll(), layoutBefore);

    // A data file that cannot be read: one line naming it, status 1, nothing printed.
    QFile::remove(pdf);
    const QString missing = scratch_.filePath("missing.xlsx");
    print.start(programBinary(), {"print", example, "--data", missing, "--pdf", pdf});
    QVERIFY(print.waitForFinished(60000));
    QCOMPARE(print.exitCode(), 1);
    const QString error = QString::fromUtf8(print.readAllStandardError());
    QVERIFY2(error.contains(missing) && error.count(u'\n') == 1, qPrintable(error));
    QVERIFY(!QFile::exists(pdf));
    print.start(programBinary(), {"print", example, "--data"});
    QVERIFY(print.waitForFinished(60000));
    QCOMPARE(print.exitCode(), 2);
}

void PrintRunTest::copiesFollowEachOtherInRowOrder()
{
    TestProgram program;
    prepare(program);
    program.panel().setRangeText(MainPanel::FirstRow, QStringLiteral("2"));
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("3"));
    program.dialogs.answerMessage();
    const QString pdf = scratch_.filePath("copies.pdf");
    const PrintRun::Result result = print(program, pdf, nullptr, 3);
    QCOMPARE(result.pagesSent, 6);
    QCOMPARE(program.dialogs.messages().last().text,
        QStringLiteral("将打印第2到3行,共2个标签\n每个标签打印3份,共6张"));
    QCOMPARE(pdfPageCount(pdf), 6);
    for (int page = 1; page <= 6; ++page)
        QCOMPARE(decodeCode128(renderPdfPage(pdf, page, 150)), products[page <= 3 ? 2 : 3][0]);
}

// Killed at any moment, a run leaves no file of its own in the PDF's folder, and the PDF an
// earlier run wrote there stays as it was.
void PrintRunTest::aKilledRunLeavesNothingBehind()
{
    const QString layout = exampleLayoutWithRows(2000);
    QVERIFY(!layout.isEmpty());
    QTemporaryDir folder;
    const QString pdf = folder.filePath("labels.pdf");
    QProcess print;
    print.start(programBinary(), {"print", layout, "--to", "2", "--pdf", pdf});
    QVERIFY(print.waitForFinished(60000));
    QCOMPARE(print.exitCode(), 0);
    QFile earlier(pdf);
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    const QByteArray earlierBytes = earlier.readAll();
    earlier.close();

    // Two million pages take minutes: every kill comes while the pages are drawn, however fast
    // the machine.
    for (const int after : {300, 1200}) {
        print.start(programBinary(), {"print", layout, "--copies", "999", "--pdf", pdf});
        QVERIFY(print.waitForStarted());
        QVERIFY2(!print.waitForFinished(after), "the run ended before it could be killed");
        print.kill();
        QVERIFY(print.waitForFinished());
        QCOMPARE(
            QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList {"labels.pdf"});
        QVERIFY(earlier.open(QIODevice::ReadOnly));
        QCOMPARE(earlier.readAll(), earlierBytes);
        earlier.close();
    }
}

// A PDF or a layout replaces a regular file, or the file a link points to; anything else at the
// name stays as it is, refused with one line by the command and an error box in the window.
void PrintRunTest::onlyARegularFileIsReplaced_data()
{
    QTest::addColumn<QString>("pointsTo"); // where a link points, empty for no link
    QTest::addColumn<bool>("replaced");
    for (const char *kind : {"device", "pipe", "socket", "folder"})
        QTest::newRow(kind) << QString() << false;
    QTest::newRow("link to a device") << "device" << false;
    QTest::newRow("link to nothing") << "nothing" << false;
    QTest::newRow("link into a read-only place") << "/proc/version" << false;
    QTest::newRow("link to a file") << "file" << true;
}

void PrintRunTest::onlyARegularFileIsReplaced()
{
    QFETCH(QString, pointsTo);
    QFETCH(bool, replaced);
    const QString kind = QString::fromUtf8(QTest::currentDataTag());
    QTemporaryDir folder;
    const QString target = folder.filePath("target");
    const QByteArray name = QFile::encodeName(target);
    const QByteArray old = "text1,old\r\n";
    QFile file(folder.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(old) > 0);
    file.close();
    // Devices of the test's own, as /dev/null: a fault here must never replace the system's.
    const auto device = [](const QString &path) {
        return ::mknod(QFile::encodeName(path), S_IFCHR | 0666, makedev(1, 3)) == 0;
    };
    const auto make = [&]() -> bool {
        if (!pointsTo.isEmpty())
            return (pointsTo != "device" || device(folder.filePath(pointsTo)))
                && QFile::link(QDir(folder.path()).filePath(pointsTo), target);
        if (kind == "device") return device(target);
        if (kind == "pipe") return ::mkfifo(name, 0666) == 0;
        if (kind == "folder") return QDir(folder.path()).mkdir("target");
        sockaddr_un address {AF_UNIX, {}};
        qstrncpy(address.sun_path, name.constData(), sizeof address.sun_path);
        const int socketFile = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const bool bound
            = ::bind(socketFile, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        ::close(socketFile);
        return bound;
    };
    if (!make()) QSKIP("this file cannot be made here (a device needs root)");
    const auto state = [&] {
        struct stat status = {};
        ::lstat(name, &status);
        return QDir(folder.path())
                   .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
            << QString::number(status.st_mode) << QFileInfo(target).symLinkTarget();
    };
    const auto content = [&file] {
        const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();
        return bytes;
    };
    const QStringList before = state();

    TestProgram program;
    program.dialogs.answerSave(target);
    program.dialogs.answerMessage();
    program.click("Command8");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.dialogs.messages().last().title == QStringLiteral("出错"), !replaced);
    QCOMPARE(state(), before);
    const QByteArray saved = content();
    QVERIFY2(replaced ? saved.startsWith("text1,") && saved != old : saved == old, saved);

    QProcess print;
    print.start(programBinary(),
        {"print", sourceFile("examples/example.ini"), "--to", "1", "--pdf", target});
    QVERIFY(print.waitForFinished(60000));
    const QString error = QString::fromUtf8(print.readAllStandardError());
    QCOMPARE(print.exitCode(), replaced ? 0 : 1);
    QVERIFY2(error.count(u'\n') == (replaced ? 0 : 1)
            && error.contains(QStringLiteral("无法写入 PDF 文件")) != replaced,
        qPrintable(error));
    QCOMPARE(state(), before);
    QCOMPARE(content().startsWith("%PDF"), replaced);
}

// Standard input is read only as far as a table goes; the copy of it goes with the run, at its
// end or killed.
void PrintRunTest::standardInputIsReadAsFarAsATableGoes()
{
    QTemporaryDir temporary;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", temporary.path());
    // Qt keeps a runtime folder of its own there when the session has none: it is not ours.
    const auto leftBehind = [&] {
        return QDir(temporary.path()).entryList({"tagloom*"}, QDir::AllEntries | QDir::Hidden);
    };
    const QString example = sourceFile("examples/example.ini");
    const QString pdf = scratch_.filePath("stdin.pdf");
    QProcess print;
    print.setProcessEnvironment(environment);

    // An endless pipe: the run stops reading after the last row a table has.
    print.start(programBinary(), {"print", example, "--data", "-", "--to", "1", "--pdf", pdf});
    const QByteArray rows = QByteArray("a,b,c,d,e,f\n").repeated(100000);
    for (int chunk = 0; chunk < 100 && print.state() != QProcess::NotRunning; ++chunk) {
        print.write(rows);
        print.waitForBytesWritten(60000);
    }
    QVERIFY(print.waitForFinished(60000));
    const QString error = QString::fromUtf8(print.readAllStandardError());
    QCOMPARE(print.exitCode(), 1);
    QVERIFY2(error.contains(QStringLiteral("最多 1048576 行")) && error.count(u'\n') == 1,
        qPrintable(error));
    QCOMPARE(leftBehind(), QStringList());

    // Told to stop while it prints, once its QR bitmap is there.
    QByteArray csv = "货号,品名,规格,产地,价格,网址\n";
    for (int row = 1; row <= 5000; ++row)
        csv += QStringLiteral("QM-%1,样品,1,2,3,https://example.com/p/%1\n").arg(row).toUtf8();
    const auto printing = [&] {
        for (const QString &folder : leftBehind())
            if (QFile::exists(QDir(temporary.filePath(folder)).filePath("tmpQR.bmp"))) return true;
        return false;
    };
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        print.start(programBinary(), {"print", example, "--data", "-", "--pdf", pdf});
        print.write(csv);
        print.closeWriteChannel();
        QVERIFY(QTest::qWaitFor(printing, 60000));
        ::kill(pid_t(print.processId()), signal);
        QVERIFY(print.waitForFinished(60000));
        if (signal == SIGHUP) {
            // A closed terminal ends the program.
            QCOMPARE(print.exitStatus(), QProcess::CrashExit);
        } else {
            // Stopped as Cancel stops it: the labels drawn go out and are counted.
            QCOMPARE(print.exitStatus(), QProcess::NormalExit);
            QCOMPARE(print.exitCode(), 1);
            QVERIFY(
                QString::fromUtf8(print.readAllStandardError()).contains(QStringLiteral("已送出")));
        }
        QCOMPARE(leftBehind(), QStringList());
    }
}

QTEST_MAIN(PrintRunTest)
#include "PrintRunTest.moc"
