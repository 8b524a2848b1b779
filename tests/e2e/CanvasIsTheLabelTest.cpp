// The canvas is the label: a person finishes a label's design at the real program's windows
// (with-x-desktop.sh) through X input events at a person's pace — a text made bold and larger in
// the font dialog, the QR code sized in the size dialog, a data row previewed — and prints that
// row on the cups-pdf printer (300 dpi, with-cups-pdf-queue.sh) and on the 203-dpi ZPL printer
// (with-label-printers.sh). The canvas as the screen shows it and the printed page, rendered or
// decoded dot by dot, are measured at the same scale, the label's frame giving it on both: every
// item's box, each code's size and place within one printer dot, and the text's weight and size.
#include "RunningProgram.h"
#include "XDesktop.h"
#include "support/CodeDecoder.h"
#include "support/CupsPdfOutput.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"
#include "support/ZplPages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace tagloom::test;

namespace {

// An 800 × 500 pixel picture given 80 × 50 mm: a screen pixel of the canvas is 0.1 mm of label.
constexpr QSize picturePixels(800, 500);
constexpr QSizeF labelMm(80, 50);
constexpr int previewedRow = 2;
const QList<QStringList> rows
    = {{"货号", "品名", "网址"}, {"TL-0001", "青花茶杯 Cup", "https://example.com/p/TL-0001"},
        {"TL-0002", "白瓷碗 Bowl", "https://example.com/p/TL-0002"}};

// Where each item's ink is looked for, in millimetres of the label, and what it is.
struct Item
{
    const char *name;
    QRectF area;
    bool isCode;
};
const Item sku {"the SKU text", {2, 2.5, 48, 8}, false};
const Item name {"the bold name", {2, 10.5, 48, 9}, false};
const Item url {"the address text", {2, 19.5, 48, 6.5}, false};
const Item qr {"the QR code", {50, 2, 27, 28}, true};
const Item barcode {"the barcode", {2, 32, 58, 13}, true};

// The label as a picture shows it: the canvas on the screen or a printed page. Its frame, the
// outermost ink, is the label's edge and gives the scale.
class LabelImage
{
public:
    explicit LabelImage(const QImage &image)
        : image_(image.convertToFormat(QImage::Format_Grayscale8))
        , frame_(inkIn(image_.rect()))
    {
    }

    bool isLabel() const
    {
        return !frame_.isEmpty() && qAbs(frame_.width() * 5 - frame_.height() * 8) < 16;
    }
    double pixelMm() const { return labelMm.width() / frame_.width(); }
    QRectF inkMm(const QRectF &areaMm) const { return toMm(inkIn(toPixels(areaMm))); }
    // The mean width of the strokes that a line across the ink meets.
    double strokeMm(const QRectF &areaMm) const
    {
        const QRect ink = toPixels(inkMm(areaMm));
        int dark = 0;
        int strokes = 0;
        for (int y = ink.top(); y <= ink.bottom(); ++y)
            for (int x = ink.left(); x <= ink.right(); ++x) {
                dark += isInk(x, y);
                strokes += isInk(x, y) && !isInk(x - 1, y);
            }
        return strokes > 0 ? dark * pixelMm() / strokes : 0;
    }

private:
    bool isInk(int x, int y) const
    {
        return image_.valid(x, y) && image_.constScanLine(y)[x] < 128;
    }
    QRect inkIn(const QRect &area) const
    {
        QRect ink;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                if (isInk(x, y)) ink |= QRect(x, y, 1, 1);
        return ink;
    }
    QRect toPixels(const QRectF &mm) const
    {
        const QPointF topLeft = frame_.topLeft() + mm.topLeft() / pixelMm();
        return QRect(topLeft.toPoint(), (mm.size() / pixelMm()).toSize());
    }
    QRectF toMm(const QRect &pixels) const
    {
        if (pixels.isEmpty()) return {};
        return {QPointF(pixels.topLeft() - frame_.topLeft()) * pixelMm(),
            QSizeF(pixels.size()) * pixelMm()};
    }

    QImage image_;
    QRect frame_;
};

// A white picture with a black frame four pixels wide at its very edge.
QString framedPicture(const QString &folder)
{
    QImage picture(picturePixels, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QPainter(&picture).fillRect(picture.rect().adjusted(4, 4, -4, -4), Qt::white);
    const QString path = QDir(folder).filePath(QStringLiteral("label.png"));
    return picture.save(path) ? path : QString();
}

// The label as the person starts from: three texts, the QR code fed by the address, the barcode
// by the SKU, the label 80 × 50 mm.
QString writeLayout(const QString &folder)
{
    const QString workbook = QDir(folder).filePath(QStringLiteral("rows.xls"));
    const QString picture = framedPicture(folder);
    if (picture.isEmpty() || !writeWorkbook(workbook, rows)) return {};
    const QStringList lines {"text1," + picture, "text2," + workbook, "label1(1),600,600,24",
        "label1(2),1800,600,24", "label1(3),3000,600,18", "Image1,600,8000,1005,1005",
        "Picture2,5200,600,7000,1000", "Combo1(0),2", "Combo1(1),0", "[Tagloom 1]",
        "Picture1.width=80.00", "Picture1.height=50.00", "[Tagloom end]"};
    QFile layout(QDir(folder).filePath(QStringLiteral("label.ini")));
    if (!layout.open(QIODevice::WriteOnly)) return {};
    layout.write(lines.join("\r\n").toUtf8() + "\r\n");
    return layout.fileName();
}

// The printer chosen in the main window when the program last ran: none is the default printer.
void choosePrinter(const QString &folder, const QString &queue)
{
    if (queue.isEmpty()) return;
    QDir(folder).mkpath(QStringLiteral("tagloom"));
    QFile settings(QDir(folder).filePath(QStringLiteral("tagloom/tagloom.conf")));
    if (settings.open(QIODevice::WriteOnly))
        settings.write("[print]\nprinter=" + queue.toUtf8() + "\n");
}

constexpr int windowTimeoutMs = 30000;
constexpr int readMs = 1500;
constexpr int stepMs = 400;

QPoint at(const XWindow &window, double leftTwips, double topTwips)
{
    return window.client.topLeft()
        + QPoint(qRound(leftTwips * screenDpi / 1440), qRound(topTwips * screenDpi / 1440));
}

void pause(int ms)
{
    QThread::msleep(ms);
}

void fillIn(const XWindow &window, double leftTwips, double topTwips, const QString &text)
{
    pause(stepMs);
    XDesktop::click(at(window, leftTwips, topTwips));
    XDesktop::keys({QStringLiteral("ctrl+a")});
    XDesktop::type(text, 60);
}

// Reads the window that opens under `title` and answers it with keys.
void answer(const XDesktop &desktop, const QString &title, const QStringList &keys)
{
    const XWindow dialog = desktop.waitForWindow(title, title, windowTimeoutMs);
    pause(readMs);
    XDesktop::keys(keys);
    desktop.waitUntilClosed(dialog, title, windowTimeoutMs);
}

} // namespace

class CanvasIsTheLabelTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void thePrintedLabelIsTheCanvas_data();
    void thePrintedLabelIsTheCanvas();

private:
    // Finishes the design, previews the row and prints it; the canvas as shown, and the page.
    std::pair<QImage, QImage> designAndPrint(
        const XDesktop &desktop, const QString &queue, int renderDpi);
};

void CanvasIsTheLabelTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "no X server: run through with-x-desktop.sh");
    QVERIFY2(!qEnvironmentVariableIsEmpty("TAGLOOM_ZPL203"), "run through with-label-printers.sh");
}

void CanvasIsTheLabelTest::thePrintedLabelIsTheCanvas_data()
{
    QTest::addColumn<QString>("queue"); // empty for the default printer, cups-pdf
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("renderDpi"); // what the page is looked at with; 0 for the dots
    QTest::newRow("cups-pdf, 300 dpi") << QString() << 300 << 400;
    QTest::newRow("ZPL, 203 dpi") << qEnvironmentVariable("TAGLOOM_ZPL203") << 203 << 0;
}

std::pair<QImage, QImage> CanvasIsTheLabelTest::designAndPrint(
    const XDesktop &desktop, const QString &queue, int renderDpi)
{
    // The main window to the screen's right edge, as a person makes room for the label docked
    // beside it; then the label, whole on the screen, once the windows stand still.
    XWindow main = desktop.waitForWindow(
        QStringLiteral("^Tagloom码"), QStringLiteral("the main window"), windowTimeoutMs);
    XWindow canvas;
    XWindow before;
    QElapsedTimer clock;
    clock.start();
    do {
        const QPoint corner(XDesktop::screenshot().width() - main.client.width() - 10, 30);
        if (main.client.topLeft() != corner) XDesktop::move(main, corner);
        before = canvas;
        pause(500);
        main = desktop.waitForWindow(
            QStringLiteral("^Tagloom码"), QStringLiteral("the main window"), windowTimeoutMs);
        canvas = desktop.waitForWindow(
            QStringLiteral("^标签$"), QStringLiteral("the canvas"), windowTimeoutMs);
    } while ((canvas.client != before.client || canvas.client.left() < 0)
        && clock.elapsed() < windowTimeoutMs);
    pause(readMs);

    // The name: bold and 12 pt, the size it prints at, in the font dialog (the size box follows
    // the face box, the bold box the size box).
    XDesktop::doubleClick(at(canvas, 600 + 150, 1800 + 150));
    answer(
        desktop, QStringLiteral("^字体$"), {"Tab", "ctrl+a", "1", "2", "Tab", "space", "Return"});

    // The QR code 1800 twips a side in the size dialog.
    pause(stepMs);
    XDesktop::click(at(main, 2400 + 600, 1680 + 250));
    const XWindow sizes = desktop.waitForWindow(
        QStringLiteral("^修改尺寸$"), QStringLiteral("the size dialog"), windowTimeoutMs);
    fillIn(sizes, 240 + 600 + 300, 120 + 360 + 135, QStringLiteral("1800"));
    fillIn(sizes, 240 + 600 + 300, 120 + 720 + 135, QStringLiteral("1800"));
    pause(stepMs);
    XDesktop::click(at(sizes, 1320 + 600, 1440 + 180));
    desktop.waitUntilClosed(sizes, QStringLiteral("the size dialog"), windowTimeoutMs);

    // The row previewed on the canvas: Alt+V, then the row box.
    XDesktop::click(at(main, 2945, 2295));
    pause(stepMs);
    XDesktop::keys({"alt+v"});
    pause(readMs);
    XDesktop::keys({"Tab", "ctrl+a"});
    XDesktop::type(QString::number(previewedRow), 300);
    XDesktop::keys({"Return"});
    clock.restart();
    QImage shown;
    do {
        pause(200);
        shown = XDesktop::screenshot().copy(canvas.client);
    } while (decodeQr(shown) != rows[previewedRow][2] && clock.elapsed() < windowTimeoutMs);
    if (decodeQr(shown) != rows[previewedRow][2])
        throw StepFailed("the canvas does not preview the row chosen");
    pause(readMs);
    shown = XDesktop::screenshot().copy(canvas.client);

    // That row printed: the range, then the confirmation.
    for (const double left : {480 + 360 + 300, 480 + 1320 + 300})
        fillIn(main, left, 2520 + 360 + 135, QString::number(previewedRow));
    const CupsPdfOutput cupsPdf;
    QFile::remove(zplSpoolFile(queue));
    pause(stepMs);
    XDesktop::click(at(main, 3240 + 850, 2760 + 250));
    answer(desktop, QStringLiteral("^Tagloom$"), {"Return"});
    QImage page;
    if (queue.isEmpty()) {
        const QStringList pdfs = cupsPdf.waitForPdfs(120000);
        if (pdfs.size() == 1) page = renderPdfPage(pdfs.first(), 1, renderDpi);
        for (const QString &pdf : pdfs)
            QFile::remove(pdf);
    } else {
        const QList<ZplPage> pages = zplPagesPrinted(queue);
        if (pages.size() == 1) page = pages.first().dots;
    }
    XDesktop::click(at(main, 2945, 2295));
    XDesktop::keys({"alt+F4"});
    return {shown, page};
}

void CanvasIsTheLabelTest::thePrintedLabelIsTheCanvas()
{
    QFETCH(QString, queue);
    QFETCH(int, dpi);
    QFETCH(int, renderDpi);
    QTemporaryDir work;
    const QString layout = writeLayout(work.path());
    QVERIFY(!layout.isEmpty());
    choosePrinter(work.path(), queue);
    RunningProgram program(work.path(), {layout});
    QVERIFY2(program.waitForStarted(), qPrintable(program.error()));
    const XDesktop desktop(program.pid());
    std::pair<QImage, QImage> images;
    try {
        images = designAndPrint(desktop, queue, renderDpi);
    } catch (const StepFailed &failure) {
        QFAIL(qPrintable(QString::fromStdString(failure.what()) + '\n' + program.output()));
    }
    const LabelImage canvas(images.first);
    const LabelImage printed(images.second);
    QVERIFY2(canvas.isLabel(), "the canvas shows no 80 × 50 label in its frame");
    QVERIFY2(printed.isLabel(), qPrintable("no 80 × 50 label printed:\n" + program.output()));
    const double dotMm = 25.4 / dpi;
    // One printer dot, and what each picture cannot tell apart: a screen pixel, a rendered one.
    const double codeTolerance = dotMm + canvas.pixelMm() + (renderDpi > 0 ? printed.pixelMm() : 0);
    // Texts are drawn by the screen's and the printer's own rasterisers.
    const double textTolerance = 2 * codeTolerance;

    QStringList apart;
    const auto compare
        = [&apart](const char *what, const QRectF &shown, const QRectF &out, double tolerance) {
              qInfo("%s: canvas %.2f, %.2f, %.2f × %.2f mm; printed %.2f, %.2f, %.2f × %.2f mm",
                  what, shown.left(), shown.top(), shown.width(), shown.height(), out.left(),
                  out.top(), out.width(), out.height());
              const double furthest
                  = std::max({qAbs(shown.left() - out.left()), qAbs(shown.top() - out.top()),
                      qAbs(shown.right() - out.right()), qAbs(shown.bottom() - out.bottom())});
              if (shown.isEmpty() || furthest > tolerance) apart << QString::fromUtf8(what);
          };
    for (const Item &item : {sku, name, url, qr, barcode})
        compare(item.name, canvas.inkMm(item.area), printed.inkMm(item.area),
            item.isCode ? codeTolerance : textTolerance);
    const double shownStroke = canvas.strokeMm(name.area);
    const double printedStroke = printed.strokeMm(name.area);
    qInfo("strokes of the bold name: canvas %.3f mm, printed %.3f mm", shownStroke, printedStroke);
    if (qAbs(shownStroke - printedStroke) > std::max(canvas.pixelMm(), 0.15 * printedStroke))
        apart << QStringLiteral("the weight of the bold name");
    QVERIFY2(apart.isEmpty(), qPrintable("not printed as the canvas shows: " + apart.join(", ")));
}

QTEST_GUILESS_MAIN(CanvasIsTheLabelTest)
#include "CanvasIsTheLabelTest.moc"
