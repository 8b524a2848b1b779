// A person with the example on a 1600 × 1000 screen (with-x-desktop.sh --screen), through X input
// events: the label opens whole beside the main window, and again after the main window was moved
// to the screen's left edge and the layout loaded once more; a changed design is not lost when
// the main window closes: "取消" keeps the program, "保存" saves the change first.
#include "RunningProgram.h"
#include "XDesktop.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace tagloom::test;

namespace {

// A bound, not a wait: generous for the sanitizer build on a machine busy with other work.
constexpr int timeoutMs = 60000;

QPoint inWindow(const XWindow &window, double leftTwips, double topTwips)
{
    return window.client.topLeft()
        + QPoint(qRound(leftTwips * screenDpi / 1440), qRound(topTwips * screenDpi / 1440));
}

// Waits until the canvas, the main window and the data window below it are all on the screen,
// the canvas docked at the main window's left (unless `onScreen` is false), and none of them
// moves any more; returns the windows then.
QList<XWindow> placedWhole(const XDesktop &desktop, const QString &when, bool onScreen = true)
{
    const QRect screen(0, 0, 1600, 1000);
    QElapsedTimer clock;
    clock.start();
    QList<XWindow> shown;
    QList<QRect> before;
    do {
        shown = {desktop.waitForWindow("^Tagloom码", "the main window", timeoutMs),
            desktop.waitForWindow("^标签$", "the canvas", timeoutMs),
            desktop.waitForWindow("^数据源$", "the data window", timeoutMs)};
        const QList<QRect> now {shown[0].client, shown[1].client, shown[2].client};
        const int gap = shown[0].client.left() - shown[1].client.right();
        const bool whole = screen.contains(shown[1].client) && screen.contains(shown[0].client)
            && screen.contains(shown[2].client);
        // Docked and no longer moving: a click or a drag lands where it is aimed.
        if ((!onScreen || (whole && gap > 0 && gap < 30)) && now == before) return shown;
        before = now;
        QThread::msleep(200);
    } while (clock.elapsed() < timeoutMs);
    throw StepFailed(QStringLiteral("%1, the windows are not all on the 1600 × 1000 screen: %2")
                         .arg(when, desktop.describe())
                         .toStdString());
}

// Waits for a dialog and for it to get the keyboard focus, types into it and answers it with a key.
void answer(const XDesktop &desktop, const QString &title, const QString &what, const QString &key,
    const QString &typed = {})
{
    const XWindow dialog = desktop.waitForWindow(title, what, timeoutMs);
    desktop.waitForFocus(dialog, what, timeoutMs);
    if (!typed.isEmpty()) {
        XDesktop::keys({"ctrl+a"});
        XDesktop::type(typed, 40);
    }
    XDesktop::keys({key});
    desktop.waitUntilClosed(dialog, what, timeoutMs);
}

} // namespace

class ExampleSessionTest : public QObject
{
    Q_OBJECT

private slots:
    void theLabelStaysWholeAndItsChangesAreKept();
};

void ExampleSessionTest::theLabelStaysWholeAndItsChangesAreKept()
{
    QTemporaryDir work;
    const QDir folder(work.path());
    for (const char *name : {"example.ini", "label.png", "products.xls"})
        QVERIFY(QFile::copy(sourceFile("examples/" + QLatin1String(name)), folder.filePath(name)));
    const QString kept = folder.filePath("kept.ini");
    RunningProgram program(work.path(), {folder.filePath("example.ini")});
    QVERIFY2(program.waitForStarted(), qPrintable(program.error()));
    const XDesktop desktop(program.pid());
    try {
        XWindow main = placedWhole(desktop, "opening the example").first();
        XDesktop::move(main, QPoint(10, main.client.top()));
        main = placedWhole(desktop, "the main window moved left", false).first();
        XDesktop::click(inWindow(main, 847, 3907));
        answer(desktop, "^打开$", "the file dialog of “导入布局”", "Return",
            folder.filePath("example.ini"));
        const QList<XWindow> shown = placedWhole(desktop, "loading the layout again");

        // The QR code (Image1,1350,6120,2190,2190) dragged by its middle: a change.
        const QPoint qrCode = inWindow(shown[1], 6120 + 1095, 1350 + 1095);
        XDesktop::drag(qrCode, qrCode + QPoint(-40, 30));
        XDesktop::click(inWindow(shown[0], 2945, 2295)); // the main window becomes active
        desktop.waitForFocus(shown[0], "the main window", timeoutMs);
        XDesktop::keys({"alt+F4"});
        answer(desktop, "^Tagloom$", "the question “是否保存对标签设计的修改？”", "Escape");
        QThread::msleep(500);
        QVERIFY2(!desktop.windows("^Tagloom码").isEmpty(), "“取消” closed the program");
        XDesktop::click(inWindow(shown[0], 2945, 2295));
        desktop.waitForFocus(shown[0], "the main window", timeoutMs);
        XDesktop::keys({"alt+F4"});
        answer(desktop, "^Tagloom$", "the question, a second time", "Return"); // "保存"
        answer(desktop, "^另存为$", "the save dialog", "Return", kept);
        answer(desktop, "^保存$", "the message “保存完成”", "Return");
    } catch (const StepFailed &failure) {
        QFAIL(qPrintable(QString::fromStdString(failure.what()) + '\n' + program.output()));
    }
    QVERIFY2(program.waitForExit(timeoutMs), "the program did not end after saving");
    QVERIFY2(program.endedWell(), qPrintable(program.output()));
    QFile saved(kept);
    QVERIFY2(saved.open(QIODevice::ReadOnly), "the design was not saved");
    const QByteArray text = saved.readAll();
    QVERIFY2(text.contains("Image1,") && !text.contains("Image1,1350,6120,"), text.constData());
}

QTEST_GUILESS_MAIN(ExampleSessionTest)
#include "ExampleSessionTest.moc"
