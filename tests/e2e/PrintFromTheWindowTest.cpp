// A person at the window: the real program on a desktop of its own (Xvfb with openbox, from
// with-x-desktop.sh), with Qt's own dialogs, used only through X input events at the places its
// control tables give, at a person's pace and at a brisk one. It walks the eight steps on the
// bundled example and prints a range on a cups-pdf printer (with-cups-pdf-queue.sh); every page
// that comes out must read back as its row. Unit tests answer dialogs at once and cannot see a
// window that takes the keyboard focus from a dialog while a person reads it: this test can.
#include "RunningProgram.h"
#include "XDesktop.h"
#include "support/CodeDecoder.h"
#include "support/CupsPdfOutput.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>

using namespace tagloom::test;

namespace {

int pixels(double twips)
{
    return qRound(twips * screenDpi / 1440);
}

// A control's place in twips, in its window's client area or in its frame.
struct Box
{
    int left;
    int top;
    int width;
    int height;

    constexpr Box in(const Box &frame) const
    {
        return {frame.left + left, frame.top + top, width, height};
    }
    QPoint middle() const { return {pixels(left + width / 2.0), pixels(top + height / 2.0)}; }
};

// The middle of a control on the screen.
QPoint onScreen(const XWindow &window, const Box &control)
{
    return window.client.topLeft() + control.middle();
}

// From the control tables of the main window and the size dialog, and the canvas items' first
// places.
namespace form1 {
constexpr Box stepsArea {0, 0, 5220, 4155};
constexpr Box command1 {480, 240, 1335, 495};
constexpr Box command2 {480, 960, 1335, 540};
constexpr Box command3 {480, 1680, 1335, 495};
constexpr Box command4 {2400, 240, 1215, 495};
constexpr Box command5 {2400, 960, 1215, 495};
constexpr Box command7 {2400, 1680, 1215, 495};
constexpr Box combo1[] {{3720, 480, 1335, 300}, {3720, 1200, 1335, 300}};
constexpr Box frame1 {480, 2520, 2295, 855};
constexpr Box text3[] {Box {360, 360, 615, 270}.in(frame1), Box {1320, 360, 615, 270}.in(frame1)};
constexpr Box command6 {3240, 2760, 1695, 495};
constexpr Box command8 {1560, 3720, 975, 375};
constexpr Box emptySpot {2900, 2250, 90, 90}; // between the steps and the line under them
// The side panel's first button, "编辑", at the top left of the panel beside the steps.
constexpr Box editButton {5220 + 150, 150, 300, 200};
} // namespace form1

namespace form4 {
constexpr Box frame1[] {{240, 120, 1575, 1215}, {2040, 120, 1575, 1215}};
constexpr Box text1[] {Box {600, 360, 615, 270}.in(frame1[0]),
    Box {600, 720, 615, 270}.in(frame1[0]), Box {600, 360, 615, 270}.in(frame1[1]),
    Box {600, 720, 615, 270}.in(frame1[1])};
constexpr Box command1 {1320, 1440, 1215, 375};
} // namespace form4

// Where the person puts the codes on the example's label, as in examples/example.ini: the QR
// code into the corners drawn for it, the barcode under the dashed line.
constexpr Box image1Inserted {2760, 360, 1005, 1005};
constexpr Box image1Placed {6120, 1350, 2190, 2190};
constexpr Box picture2Inserted {120, 2400, 5000, 1000};
constexpr Box picture2Placed {330, 4050, 5250, 1000};

// Window titles, as regular expressions.
const QString mainWindowTitle = QStringLiteral("^Tagloom码");
const QString canvasTitle = QStringLiteral("^标签$");
const QString dataWindowTitle = QStringLiteral("^数据源$");
const QString fileDialogTitle = QStringLiteral("^打开$");
const QString saveDialogTitle = QStringLiteral("^另存为$");
const QString savedTitle = QStringLiteral("^保存$");
const QString hintTitle = QStringLiteral("^完成$");
const QString sizeDialogTitle = QStringLiteral("^修改尺寸$");
const QString confirmationTitle = QStringLiteral("^Tagloom$");
const QString errorTitle = QStringLiteral("^出错$");
const QString addTextTitle = QStringLiteral("^添加文本$");

// A bound, not a wait: generous for a machine kept busy by other work.
constexpr int windowTimeoutMs = 60000;

struct Pace
{
    int readMs; // before answering a dialog
    int confirmMs; // before answering the print confirmation
    int stepMs; // between one action and the next
    int typeDelayMs; // between two keys typed
};

} // namespace

Q_DECLARE_METATYPE(Pace)

namespace {

// What a person does at the program's windows, and what the person sees.
class Person
{
public:
    Person(const XDesktop &desktop, const Pace &pace, const QString &screenshotPrefix)
        : desktop_(desktop)
        , pace_(pace)
        , screenshotPrefix_(screenshotPrefix)
    {
    }

    void pause(int ms) const { QThread::msleep(ms); }

    // Where the window stands at that moment: windows move after they appear.
    void press(const XWindow &window, const Box &control) const
    {
        pause(pace_.stepMs);
        XDesktop::click(onScreen(desktop_.current(window), control));
    }

    // Clicks into a text box and replaces what it holds.
    void fillIn(const XWindow &window, const Box &box, const QString &text) const
    {
        press(window, box);
        XDesktop::keys({QStringLiteral("ctrl+a")});
        XDesktop::type(text, pace_.typeDelayMs);
    }

    // The dialog must get the keyboard focus as it opens, and keep it while the person reads it.
    void read(const XWindow &dialog, const QString &what, int ms) const
    {
        desktop_.waitForFocus(dialog, what, windowTimeoutMs);
        QElapsedTimer clock;
        clock.start();
        do {
            const XWindow active = desktop_.activeWindow();
            if (active.id != dialog.id)
                throw StepFailed(QStringLiteral("%1 lost the keyboard focus after %2 s of reading "
                                                "(%3)")
                                     .arg(what)
                                     .arg(double(clock.elapsed()) / 1000, 0, 'f', 1)
                                     .arg(desktop_.describe())
                                     .toStdString());
            pause(100);
        } while (clock.elapsed() < ms);
    }

    // Reads a dialog, answers it with keys pressed wherever the keyboard focus is, and sees it go.
    void answer(const XWindow &dialog, const QString &what, int readMs,
        const QStringList &keys = {QStringLiteral("Return")}) const
    {
        read(dialog, what, readMs);
        XDesktop::keys(keys);
        desktop_.waitUntilClosed(dialog, what, windowTimeoutMs);
    }

    // Opens a file through Qt's file dialog by typing its whole path into the name box.
    void openFile(const XWindow &main, const Box &command, const QString &path) const
    {
        press(main, command);
        const QString what = QStringLiteral("the file dialog for %1").arg(path);
        const XWindow dialog = desktop_.waitForWindow(fileDialogTitle, what, windowTimeoutMs);
        read(dialog, what, pace_.readMs);
        // The box may propose the last file: it is replaced.
        XDesktop::keys({QStringLiteral("ctrl+a")});
        XDesktop::type(path, pace_.typeDelayMs);
        answer(dialog, what, 0);
    }

    // Opens a combo box's list and chooses its entry at `index` with the keys.
    void choose(const XWindow &main, const Box &combo, int index) const
    {
        const QList<XWindow> before = desktop_.windows();
        press(main, combo);
        const XWindow list = desktop_.waitForNewWindow(
            before, QStringLiteral("the list of a data source box"), windowTimeoutMs);
        QStringList keys {QStringLiteral("Home")};
        for (int step = 0; step < index; ++step)
            keys << QStringLiteral("Down");
        XDesktop::keys(keys << QStringLiteral("Return"));
        desktop_.waitUntilClosed(
            list, QStringLiteral("the list of a data source box"), windowTimeoutMs);
    }

    // No error box may be open.
    void expectNoError(const QString &after) const
    {
        if (!desktop_.windows(errorTitle).isEmpty())
            throw StepFailed(QStringLiteral("an error box “出错” opened after %1 (%2)")
                                 .arg(after, desktop_.describe())
                                 .toStdString());
    }

    // Keeps a picture of the screen when the run was asked for them.
    void screenshot(const QString &moment) const
    {
        if (screenshotPrefix_.isEmpty()) return;
        XDesktop::screenshot().save(screenshotPrefix_ + moment + QStringLiteral(".png"));
    }

private:
    const XDesktop &desktop_;
    Pace pace_;
    QString screenshotPrefix_;
};

// The data table as the table command gives it, one list of cells per line, the headers first.
QList<QStringList> dataTable(const QString &workbook)
{
    QProcess table;
    table.start(programBinary(), {QStringLiteral("table"), workbook});
    if (!table.waitForFinished(60000) || table.exitCode() != 0) return {};
    QList<QStringList> rows;
    for (const QString &line :
        QString::fromUtf8(table.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts))
        rows << line.split('\t');
    return rows;
}

// The QR code that the canvas shows in an item's place, read from the screen. The place is cut
// out onto white, and so is all in it but the black: the code's own margin, and the room its
// whole modules of printer dots leave in the item, are too narrow to read it among the label's
// colours.
std::optional<DecodedCode> qrShownAt(
    const XDesktop &desktop, const XWindow &canvas, const Box &item)
{
    constexpr int margin = 20;
    const QRect place(
        desktop.current(canvas).client.topLeft() + QPoint(pixels(item.left), pixels(item.top)),
        QSize(pixels(item.width), pixels(item.height)));
    QImage cutOut(place.size() + QSize(2 * margin, 2 * margin), QImage::Format_Grayscale8);
    cutOut.fill(Qt::white);
    const QImage shown = XDesktop::screenshot().copy(place);
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
            if (qGray(shown.pixel(x, y)) < 48) cutOut.setPixel(margin + x, margin + y, 0);
    std::optional<DecodedCode> code = findQr(cutOut);
    if (code) code->bounds.translate(-margin, -margin);
    return code;
}

// Polls for the QR code in an item's place, and checks that it fills the place.
bool qrFills(const XDesktop &desktop, const XWindow &canvas, const Box &item)
{
    QElapsedTimer clock;
    clock.start();
    do {
        const std::optional<DecodedCode> code = qrShownAt(desktop, canvas, item);
        const QSize size(pixels(item.width), pixels(item.height));
        if (code && (code->bounds.center() - QRect(QPoint(), size).center()).manhattanLength() <= 4
            && code->bounds.width() > size.width() * 3 / 4)
            return true;
    } while (clock.elapsed() < windowTimeoutMs);
    return false;
}

// The dark pixels of a grey picture: how many, and the rectangle they lie in.
std::pair<int, QRect> ink(const QImage &grey)
{
    int count = 0;
    QRect box;
    for (int y = 0; y < grey.height(); ++y)
        for (int x = 0; x < grey.width(); ++x)
            if (grey.constScanLine(y)[x] < 128) {
                ++count;
                box |= QRect(x, y, 1, 1);
            }
    return {count, box};
}

// The main window once it shows, laid out at the desktop's resolution.
XWindow mainWindow(const XDesktop &desktop)
{
    const XWindow main = desktop.waitForWindow(
        mainWindowTitle, QStringLiteral("the main window"), windowTimeoutMs);
    // The steps' area is as high as the window (a side panel may widen it): its height in pixels
    // tells the resolution the program lays out at.
    const QSize steps(pixels(form1::stepsArea.width), pixels(form1::stepsArea.height));
    if (main.client.height() != steps.height() || main.client.width() < steps.width())
        throw StepFailed(QStringLiteral("the main window's client area is %1x%2 pixels, not %3 "
                                        "high and at least %4 wide: the program does not lay out "
                                        "at %5 dpi")
                             .arg(main.client.width())
                             .arg(main.client.height())
                             .arg(steps.height())
                             .arg(steps.width())
                             .arg(screenDpi)
                             .toStdString());
    return main;
}

} // namespace

class PrintFromTheWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void printsTheRangeThatAPersonChose_data();
    void printsTheRangeThatAPersonChose();
    void savesTheLayoutUnderTheNameAPersonExpects();
    void printsATextItemThatAPersonAdded();

private:
    using Walk = std::function<void(const XDesktop &, const Person &)>;
    // Starts the program in `workFolder` with `arguments`, lets the person walk through it, then
    // closes its main window as a person does (saving the design when asked, to `keptLayout`) and
    // sees the program end well. A step that fails fails the test, with a screenshot beside it.
    void asAPerson(const Pace &pace, const QString &workFolder, const Walk &walk,
        const QString &keptLayout = {}, const QStringList &arguments = {});
    // Walks the eight steps and returns the PDF that the printer wrote.
    QString printRange(const XDesktop &desktop, const Person &person, const Pace &pace);

    QString picture_;
    QString workbook_;
    QList<QStringList> table_;
    int skuColumn_ = -1;
    int urlColumn_ = -1;
    static constexpr int firstRow = 3;
    static constexpr int lastRow = 7;
};

void PrintFromTheWindowTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "no X server: run through with-x-desktop.sh");
    picture_ = sourceFile(QStringLiteral("examples/label.png"));
    workbook_ = sourceFile(QStringLiteral("examples/products.xls"));
    table_ = dataTable(workbook_);
    QVERIFY2(table_.size() > lastRow, "the table command did not read the example workbook");
    skuColumn_ = int(table_.first().indexOf(QStringLiteral("货号")));
    urlColumn_ = int(table_.first().indexOf(QStringLiteral("网址")));
    QVERIFY(skuColumn_ > 0 && urlColumn_ > 0);
}

void PrintFromTheWindowTest::printsTheRangeThatAPersonChose_data()
{
    QTest::addColumn<Pace>("pace");
    // Reading every dialog, and the print confirmation for six seconds: long enough for any
    // window that opens by itself to show over it.
    QTest::newRow("a person's pace") << Pace {1500, 6000, 400, 60};
    QTest::newRow("brisk") << Pace {300, 300, 100, 12};
}

QString PrintFromTheWindowTest::printRange(
    const XDesktop &desktop, const Person &person, const Pace &pace)
{
    const XWindow main = mainWindow(desktop);

    // 1 and 2: the picture, then the workbook; the canvas docks at the left of the main window,
    // the data window below it.
    person.openFile(main, form1::command1, picture_);
    person.openFile(main, form1::command2, workbook_);
    desktop.waitForWindow(dataWindowTitle, QStringLiteral("the data window"), windowTimeoutMs);
    person.expectNoError(QStringLiteral("choosing the picture and the workbook"));

    // 3: one item per column, and the hint that says what to do with them.
    person.press(main, form1::command3);
    const XWindow hint
        = desktop.waitForWindow(hintTitle, QStringLiteral("the hint “完成”"), windowTimeoutMs);
    person.answer(hint, QStringLiteral("the hint “完成”"), pace.readMs);

    // 4 and 5: the QR code shows on the label at once; the barcode shows as its grey holder.
    person.press(main, form1::command4);
    person.press(main, form1::command5);
    const XWindow canvas
        = desktop.waitForWindow(canvasTitle, QStringLiteral("the canvas"), windowTimeoutMs);
    if (!qrFills(desktop, canvas, image1Inserted))
        throw StepFailed(QStringLiteral("no QR code shows on the canvas after “插入二维码” (%1)")
                             .arg(desktop.describe())
                             .toStdString());
    if (desktop.current(canvas).client.right() >= desktop.current(main).client.left())
        throw StepFailed("the canvas is not docked at the left of the main window");

    // 6: both codes to the label's size for them, in the size dialog.
    person.press(main, form1::command7);
    const XWindow sizes = desktop.waitForWindow(
        sizeDialogTitle, QStringLiteral("the size dialog “修改尺寸”"), windowTimeoutMs);
    person.fillIn(sizes, form4::text1[0], QString::number(image1Placed.width));
    person.fillIn(sizes, form4::text1[1], QString::number(image1Placed.height));
    person.fillIn(sizes, form4::text1[2], QString::number(picture2Placed.width));
    person.fillIn(sizes, form4::text1[3], QString::number(picture2Placed.height));
    person.press(sizes, form4::command1);
    desktop.waitUntilClosed(sizes, QStringLiteral("the size dialog “修改尺寸”"), windowTimeoutMs);

    // Then dragged into place with the mouse: the QR code by its middle, the barcode holder too.
    const Box image1Sized {
        image1Inserted.left, image1Inserted.top, image1Placed.width, image1Placed.height};
    person.pause(pace.stepMs);
    XWindow canvasNow = desktop.current(canvas);
    XDesktop::drag(onScreen(canvasNow, image1Sized), onScreen(canvasNow, image1Placed));
    const Box picture2Sized {
        picture2Inserted.left, picture2Inserted.top, picture2Placed.width, picture2Placed.height};
    person.pause(pace.stepMs);
    canvasNow = desktop.current(canvas);
    XDesktop::drag(onScreen(canvasNow, picture2Sized), onScreen(canvasNow, picture2Placed));
    // The code on the screen is where it was dropped, at its new size.
    if (!qrFills(desktop, canvas, image1Placed))
        throw StepFailed("the QR code was not resized in the size dialog and dropped into the "
                         "corners drawn for it");

    // The data sources: list position k stands for column k + 1. Then 7: the range.
    person.choose(main, form1::combo1[0], urlColumn_ - 1);
    person.choose(main, form1::combo1[1], skuColumn_ - 1);
    person.fillIn(main, form1::text3[0], QString::number(firstRow));
    person.fillIn(main, form1::text3[1], QString::number(lastRow));
    person.expectNoError(QStringLiteral("the design steps"));

    // 8: the confirmation, read as long as a person checks the count, answered with Return.
    const CupsPdfOutput printer;
    person.press(main, form1::command6);
    const QString confirmation = QStringLiteral("the confirmation “将打印第%1到%2行,共%3个标签”")
                                     .arg(firstRow)
                                     .arg(lastRow)
                                     .arg(lastRow - firstRow + 1);
    const XWindow box = desktop.waitForWindow(confirmationTitle, confirmation, windowTimeoutMs);
    person.screenshot(QStringLiteral("confirmation"));
    person.answer(box, confirmation, pace.confirmMs);

    const QStringList pdfs = printer.waitForPdfs(
        120000, [&person] { person.expectNoError(QStringLiteral("the confirmation")); });
    if (pdfs.size() != 1)
        throw StepFailed(QStringLiteral("the printer wrote %1 files, not one job (%2)")
                             .arg(pdfs.size())
                             .arg(desktop.describe())
                             .toStdString());
    person.screenshot(QStringLiteral("printed"));
    return pdfs.first();
}

void PrintFromTheWindowTest::asAPerson(const Pace &pace, const QString &workFolder,
    const Walk &walk, const QString &keptLayout, const QStringList &arguments)
{
    const QString tag = QString::fromUtf8(QTest::currentTestFunction())
        + (QTest::currentDataTag() ? '-' + QString::fromUtf8(QTest::currentDataTag()) : QString());
    const QString fileTag = QString(tag).replace(QRegularExpression(QStringLiteral("\\W+")), "-");
    const QString screenshots = qEnvironmentVariable("TAGLOOM_E2E_SCREENSHOTS");
    const QString screenshotPrefix
        = screenshots.isEmpty() ? QString() : QDir(screenshots).filePath(fileTag + '-');

    RunningProgram program(workFolder, arguments);
    QVERIFY2(program.waitForStarted(), qPrintable("the program did not start: " + program.error()));
    const XDesktop desktop(program.pid());
    const Person person(desktop, pace, screenshotPrefix);
    try {
        walk(desktop, person);
        // Alt+F4 to the main window, through the window manager.
        const XWindow main = mainWindow(desktop);
        person.press(main, form1::emptySpot); // the window becomes active
        XDesktop::keys({QStringLiteral("alt+F4")});
        if (!keptLayout.isEmpty()) {
            const QString question = QStringLiteral("the question “是否保存对标签设计的修改？”");
            person.answer(desktop.waitForWindow(confirmationTitle, question, windowTimeoutMs),
                question, pace.readMs); // "保存"
            const XWindow dialog
                = desktop.waitForWindow(saveDialogTitle, question, windowTimeoutMs);
            person.read(dialog, QStringLiteral("the save dialog"), pace.readMs);
            XDesktop::keys({QStringLiteral("ctrl+a")});
            XDesktop::type(keptLayout, pace.typeDelayMs);
            person.answer(dialog, QStringLiteral("the save dialog"), 0);
            person.answer(desktop.waitForWindow(savedTitle, question, windowTimeoutMs),
                QStringLiteral("the message “保存完成”"), pace.readMs);
        }
    } catch (const StepFailed &failure) {
        const QString shot = QDir::current().filePath(fileTag + QStringLiteral("-failure.png"));
        XDesktop::screenshot().save(shot);
        QFAIL(qPrintable(QStringLiteral("%1\nscreen: %2\nprogram output:\n%3")
                             .arg(QString::fromStdString(failure.what()), shot, program.output())));
    }
    QVERIFY2(program.waitForExit(60000), "the program did not end when its main window closed");
    QVERIFY2(program.endedWell(), qPrintable(program.output()));
}

void PrintFromTheWindowTest::printsTheRangeThatAPersonChose()
{
    QFETCH(Pace, pace);
    QTemporaryDir work;
    QString pdf;
    const QString kept = QDir(work.path()).filePath(QStringLiteral("kept.ini"));
    asAPerson(
        pace, work.path(),
        [&](const XDesktop &desktop, const Person &person) {
            pdf = printRange(desktop, person, pace);
        },
        kept);
    if (QTest::currentTestFailed()) return;
    QVERIFY2(QFile::exists(kept), "the design was not saved on the way out");

    // One page per row of the range, in order, each carrying its row's codes.
    QCOMPARE(pdfPageCount(pdf), lastRow - firstRow + 1);
    for (int row = firstRow; row <= lastRow; ++row) {
        const QImage page = renderPdfPage(pdf, row - firstRow + 1);
        QCOMPARE(decodeQr(page), table_[row][urlColumn_]);
        QCOMPARE(decodeCode128(page), table_[row][skuColumn_]);
    }
    QFile::remove(pdf);
}

void PrintFromTheWindowTest::savesTheLayoutUnderTheNameAPersonExpects()
{
    // Copies: a fault here would replace the workbook.
    QTemporaryDir work;
    const QDir folder(work.path());
    const QString picture = folder.filePath(QStringLiteral("label.png"));
    const QString workbook = folder.filePath(QStringLiteral("products.xls"));
    QVERIFY(QFile::copy(picture_, picture) && QFile::copy(workbook_, workbook));
    QFile original(workbook_);
    QVERIFY(original.open(QIODevice::ReadOnly));
    const QByteArray workbookBytes = original.readAll();
    const QString typedName = folder.filePath(QStringLiteral("shelf-labels"));
    const Pace pace {1500, 1500, 400, 60};

    asAPerson(pace, work.path(), [&](const XDesktop &desktop, const Person &person) {
        const XWindow main = mainWindow(desktop);
        person.openFile(main, form1::command1, picture);
        person.openFile(main, form1::command2, workbook);
        desktop.waitForWindow(dataWindowTitle, QStringLiteral("the data window"), windowTimeoutMs);

        // Enter on whatever the save dialog proposes right after the workbook was chosen.
        const QString saving
            = QStringLiteral("the save dialog, answered with Enter on its proposal");
        const QString saved = QStringLiteral("the message “保存完成”");
        person.press(main, form1::command8);
        XWindow dialog = desktop.waitForWindow(saveDialogTitle, saving, windowTimeoutMs);
        person.answer(dialog, saving, pace.readMs);
        person.answer(
            desktop.waitForWindow(savedTitle, saved, windowTimeoutMs), saved, pace.readMs);

        // A name typed without an extension.
        const QString typing = QStringLiteral("the save dialog, answered with a name typed");
        person.press(main, form1::command8);
        dialog = desktop.waitForWindow(saveDialogTitle, typing, windowTimeoutMs);
        person.read(dialog, typing, pace.readMs);
        XDesktop::keys({QStringLiteral("ctrl+a")});
        XDesktop::type(typedName, pace.typeDelayMs);
        person.answer(dialog, typing, 0);
        person.answer(
            desktop.waitForWindow(savedTitle, saved, windowTimeoutMs), saved, pace.readMs);
    });
    if (QTest::currentTestFailed()) return;

    QFile kept(workbook);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QVERIFY2(kept.readAll() == workbookBytes, "saving the layout changed the workbook");
    // The proposal was a layout beside the workbook, named after it; the typed name stands as
    // typed.
    for (const QString &layout : {folder.filePath(QStringLiteral("products.ini")), typedName}) {
        QFile file(layout);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(layout + " was not saved"));
        const QList<QByteArray> lines = file.readAll().split('\n');
        QVERIFY(lines.size() > 2);
        QCOMPARE(lines[0], "text1," + picture.toUtf8() + '\r');
        QCOMPARE(lines[1], "text2," + workbook.toUtf8() + '\r');
    }
    QVERIFY(!QFile::exists(typedName + QStringLiteral(".ini")));
}

// The price label example opened, a text item added through "编辑" → "添加文本…", typed and
// with a counter and a column picked from the dialog's list, dragged below the barcode, the layout
// saved and two rows printed: the rows' quantities give three labels. What cups-pdf wrote keeps no
// text to read, so each page's text item is compared with the page tagloom print makes from the
// saved layout, whose text is read.
void PrintFromTheWindowTest::printsATextItemThatAPersonAdded()
{
    QTemporaryDir work;
    for (const char *name : {"price.ini", "price-label.png", "prices.csv"})
        QVERIFY(QFile::copy(sourceFile(QStringLiteral("examples/") + name), work.filePath(name)));
    const QString saved = work.filePath(QStringLiteral("with-text.ini"));
    // Where the item is made and where it is dropped, in twips of the label.
    const QPointF grab(400, 400);
    const QPointF drop(700, 7600);
    const Pace pace {1500, 3000, 400, 60};
    QString pdf;
    asAPerson(pace, work.path(),
        [&](const XDesktop &desktop, const Person &person) {
            // The main window to the right, so that the wide label docked at its left is seen.
            XDesktop::move(mainWindow(desktop), QPoint(1100, 80));
            const XWindow main = mainWindow(desktop);
            XWindow canvas;
            QElapsedTimer docking;
            docking.start();
            do {
                person.pause(100);
                canvas = desktop.waitForWindow(
                    canvasTitle, QStringLiteral("the canvas"), windowTimeoutMs);
            } while (canvas.client.left() < 0 && docking.elapsed() < windowTimeoutMs);
            const QList<XWindow> before = desktop.windows();
            person.press(main, form1::editButton);
            desktop.waitForNewWindow(before, QStringLiteral("the menu “编辑”"), windowTimeoutMs);
            XDesktop::keys({QStringLiteral("t")});
            const QString adding = QStringLiteral("the dialog “添加文本”");
            const XWindow dialog = desktop.waitForWindow(addTextTitle, adding, windowTimeoutMs);
            person.read(dialog, adding, pace.readMs);
            // The fields from the dialog's list, as a person unsure of their names picks them:
            // the counter after the seven columns, then the first column.
            const auto pickField = [&](int position) {
                const QList<XWindow> shown = desktop.windows();
                XDesktop::keys({QStringLiteral("Tab"), QStringLiteral("alt+Down")});
                const XWindow list = desktop.waitForNewWindow(
                    shown, QStringLiteral("the list of fields"), windowTimeoutMs);
                XDesktop::keys(QStringList(position, QStringLiteral("Down")) << "Return");
                desktop.waitUntilClosed(list, QStringLiteral("the list of fields"), 5000);
            };
            XDesktop::type(QStringLiteral("No."), pace.typeDelayMs);
            pickField(9); // 序号:0001
            XDesktop::type(QStringLiteral(" "), pace.typeDelayMs);
            pickField(1); // 货号
            person.answer(dialog, adding, 0, {QStringLiteral("ctrl+Return")});
            person.expectNoError(QStringLiteral("adding the text item"));

            // The canvas may show the label scaled to the screen.
            const double scale = canvas.client.width() / (960.0 * 15);
            const auto onCanvas = [&](QPointF twips) {
                return canvas.client.topLeft() + (twips * scale).toPoint();
            };
            person.pause(pace.stepMs);
            XDesktop::drag(onCanvas(grab), onCanvas(drop));

            person.press(main, form1::command8);
            const QString saving = QStringLiteral("the save dialog");
            const XWindow save = desktop.waitForWindow(saveDialogTitle, saving, windowTimeoutMs);
            person.read(save, saving, pace.readMs);
            XDesktop::keys({QStringLiteral("ctrl+a")});
            XDesktop::type(saved, pace.typeDelayMs);
            person.answer(save, saving, 0);
            const QString done = QStringLiteral("the message “保存完成”");
            person.answer(desktop.waitForWindow(savedTitle, done, windowTimeoutMs), done, 0);

            person.fillIn(main, form1::text3[1], QStringLiteral("2"));
            const CupsPdfOutput printer;
            person.press(main, form1::command6);
            const QString confirmation
                = QStringLiteral("the confirmation “将打印第1到2行,共3个标签”");
            person.answer(desktop.waitForWindow(confirmationTitle, confirmation, windowTimeoutMs),
                confirmation, pace.confirmMs);
            const QStringList pdfs = printer.waitForPdfs(
                120000, [&person] { person.expectNoError(QStringLiteral("the confirmation")); });
            if (pdfs.size() != 1) throw StepFailed("the printer did not write one job");
            pdf = pdfs.first();
        },
        {}, {work.filePath(QStringLiteral("price.ini"))});
    if (QTest::currentTestFailed()) return;

    const QString reference = work.filePath(QStringLiteral("reference.pdf"));
    QCOMPARE(
        QProcess::execute(programBinary(), {"print", saved, "--to", "2", "--pdf", reference}), 0);
    QCOMPARE(pdfPageCount(pdf), 3);
    QCOMPARE(pdfPageCount(reference), 3);
    const QStringList skus {"QM-2001", "QM-2001", "QM-2002"};
    // The item's place on the 80 × 50 mm page: below the barcode, left.
    constexpr int dpi = 300;
    const double dotsPerTwip = dpi / 25.4 * 80 / (960 * 15);
    // A new text item stands at 300, 300 twips; the drag takes it by the grab point.
    const QRect place = QRectF(QPointF(300, 300) + drop - grab, QSizeF(2600, 400))
                            .adjusted(-60, -60, 60, 60)
                            .toRect();
    const QRect dots(place.topLeft() * dotsPerTwip, place.size() * dotsPerTwip);
    for (int page = 1; page <= 3; ++page) {
        const QString text = pdfPageText(reference, page);
        QVERIFY2(
            text.contains(
                QStringLiteral("No.%1 %2").arg(page, 4, 10, QLatin1Char('0')).arg(skus[page - 1])),
            qPrintable(text));
        const QImage printed
            = renderPdfPage(pdf, page, dpi).copy(dots).convertToFormat(QImage::Format_Grayscale8);
        const QImage expected = renderPdfPage(reference, page, dpi)
                                    .copy(dots)
                                    .convertToFormat(QImage::Format_Grayscale8);
        // The same ink in the same place, but for how two renderers smooth small letters.
        const auto [printedInk, printedBox] = ink(printed);
        const auto [expectedInk, expectedBox] = ink(expected);
        QVERIFY2(expectedInk > 50 && qAbs(printedInk - expectedInk) < expectedInk / 4
                && (printedBox.topLeft() - expectedBox.topLeft()).manhattanLength() <= 3
                && (printedBox.bottomRight() - expectedBox.bottomRight()).manhattanLength() <= 3,
            qPrintable(QStringLiteral("page %1: %2 dots of the text item, %3 expected")
                           .arg(page)
                           .arg(printedInk)
                           .arg(expectedInk)));
        QCOMPARE(decodeQr(renderPdfPage(pdf, page)),
            QStringLiteral("https://shop.example.cn/p/") + skus[page - 1]);
    }
    QFile::remove(pdf);
}

QTEST_GUILESS_MAIN(PrintFromTheWindowTest)
#include "PrintFromTheWindowTest.moc"
