// A person at the canvas of the real program on a desktop of its own (with-x-desktop.sh), through
// X input events: a drag taken back with Ctrl+Z and made again with Ctrl+Shift+Z and Ctrl+Y from
// either window, the screen showing exactly what it showed before; and a picture larger than the
// screen shown whole beside the main window once that stands at the screen's right edge.
#include "RunningProgram.h"
#include "XDesktop.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <functional>

using namespace tagloom::test;

namespace {

const QString mainWindowTitle = QStringLiteral("^Tagloom码");
const QString canvasTitle = QStringLiteral("^标签$");
// Bounds, not waits: every wait ends as soon as what it waits for is there. They are generous
// for a machine kept busy by other work, where the sanitizer build runs several times slower.
constexpr int windowTimeoutMs = 60000;
constexpr int lookMs = 300;

int pixels(double twips)
{
    return qRound(twips * screenDpi / 1440);
}

// A spot of the main window between its steps and the line under them, where no control is.
QPoint emptySpotOf(const XWindow &main)
{
    return main.client.topLeft() + QPoint(pixels(2945), pixels(2295));
}

// What the window shows, where it stands now.
QImage shown(const XDesktop &desktop, const XWindow &window)
{
    return XDesktop::screenshot().copy(desktop.current(window).client);
}

// Waits until the window shows what `wanted` says, and returns what it shows then (what it shows
// at the end when that never comes).
QImage waitUntilShown(const XDesktop &desktop, const XWindow &window,
    const std::function<bool(const QImage &)> &wanted)
{
    QElapsedTimer clock;
    clock.start();
    QImage now = shown(desktop, window);
    while (!wanted(now) && clock.elapsed() < windowTimeoutMs) {
        QThread::msleep(lookMs);
        now = shown(desktop, window);
    }
    return now;
}

// Waits until the window shows the same on two looks in a row: whatever it was doing is drawn.
QImage waitUntilStill(const XDesktop &desktop, const XWindow &window)
{
    QImage last;
    return waitUntilShown(desktop, window, [&last](const QImage &now) {
        const bool still = now == last;
        last = now;
        return still;
    });
}

// Clicks a window where nothing is and waits until it has the keyboard focus.
void focus(const XDesktop &desktop, const XWindow &window, QPoint spot, const QString &what)
{
    XDesktop::click(spot);
    desktop.waitForFocus(window, what, windowTimeoutMs);
}

// The QR code shown in an image, or nothing.
std::optional<QString> qrTextIn(const QImage &image)
{
    const std::optional<DecodedCode> code = findQr(image);
    return code ? std::optional(code->text) : std::nullopt;
}

// The example's windows once they stand docked, the canvas at the left of the main window (the
// program centres the main window when the window manager has framed it; the canvas follows at
// the next docking tick), and the canvas drawn.
std::pair<XWindow, XWindow> settledWindows(const XDesktop &desktop)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const XWindow main
            = desktop.waitForWindow(mainWindowTitle, "the main window", windowTimeoutMs);
        const XWindow canvas = desktop.waitForWindow(canvasTitle, "the canvas", windowTimeoutMs);
        const int gap = main.client.left() - canvas.client.right() - 1;
        if (gap >= pixels(80) && gap < pixels(80) + 30) {
            waitUntilStill(desktop, canvas);
            return {main, desktop.current(canvas)};
        }
        if (clock.elapsed() > windowTimeoutMs)
            throw StepFailed(QStringLiteral("the canvas did not dock (%1)")
                                 .arg(desktop.describe())
                                 .toStdString());
        QThread::msleep(lookMs);
    }
}

// The example and its files copied into a folder: layouts name their files relative to it.
QString copyExample(const QString &folder)
{
    for (const char *name : {"example.ini", "label.png", "products.xls"}) {
        if (!QFile::copy(sourceFile(QStringLiteral("examples/%1").arg(QLatin1String(name))),
                QDir(folder).filePath(QLatin1String(name))))
            return {};
    }
    return QDir(folder).filePath(QStringLiteral("example.ini"));
}

// Runs `steps` on the example opened in the real program, then closes its main window with
// Alt+F4 and sees the program end well. `before` is what the canvas showed at the start.
void withTheExample(const std::function<void(const XDesktop &desktop, const XWindow &main,
        const XWindow &canvas, const QImage &before)> &steps)
{
    QTemporaryDir work;
    const QString layout = copyExample(work.path());
    QVERIFY(!layout.isEmpty());
    RunningProgram program(work.path(), {layout});
    QVERIFY2(program.waitForStarted(), qPrintable(program.error()));
    const XDesktop desktop(program.pid());
    try {
        const auto [main, canvas] = settledWindows(desktop);
        steps(desktop, main, canvas, shown(desktop, canvas));
        if (QTest::currentTestFailed()) return;
        focus(desktop, main, emptySpotOf(desktop.current(main)), "the main window");
        XDesktop::keys({"alt+F4"});
    } catch (const StepFailed &failure) {
        QFAIL(qPrintable(QString::fromStdString(failure.what()) + '\n' + desktop.describe()));
    }
    QVERIFY2(program.waitForExit(60000), "the program did not end when its main window closed");
    QVERIFY2(program.endedWell(), qPrintable(program.output()));
}

} // namespace

class DesignAtTheWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aDragIsTakenBackAndMadeAgain();
    void aRowIsPreviewedOnTheCanvas();
    void aPictureLargerThanTheScreenIsSeenWhole();
};

void DesignAtTheWindowTest::initTestCase()
{
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"), "no X server: run through with-x-desktop.sh");
}

void DesignAtTheWindowTest::aDragIsTakenBackAndMadeAgain()
{
    withTheExample([](const XDesktop &desktop, const XWindow &main, const XWindow &canvas,
                       const QImage &before) {
        // The QR code of the example (Image1,1350,6120,2190,2190), by its middle.
        const QPoint qrCode = desktop.current(canvas).client.topLeft()
            + QPoint(pixels(6120 + 2190 / 2), pixels(1350 + 2190 / 2));
        XDesktop::drag(qrCode, qrCode + QPoint(-60, 35));
        QVERIFY2(waitUntilShown(desktop, canvas, [&](const QImage &now) { return now != before; })
                != before,
            "the drag moved nothing on the screen");
        // The whole drag drawn: every motion the program has yet to take would show.
        const QImage after = waitUntilStill(desktop, canvas);

        const auto keysShow = [&](const QStringList &keys, const QImage &expected,
                                  const char *what) {
            XDesktop::keys(keys);
            QVERIFY2(
                waitUntilShown(desktop, canvas, [&](const QImage &now) { return now == expected; })
                    == expected,
                what);
        };
        // The canvas has the keyboard focus since the drag, once the window manager gave it.
        desktop.waitForFocus(canvas, "the canvas after the drag", windowTimeoutMs);
        keysShow({"ctrl+z"}, before, "Ctrl+Z on the canvas did not take the drag back");
        keysShow({"ctrl+shift+z"}, after, "Ctrl+Shift+Z on the canvas did not make it again");
        focus(desktop, main, emptySpotOf(desktop.current(main)), "the main window");
        keysShow({"ctrl+z"}, before, "Ctrl+Z on the main window did not take the drag back");
        keysShow({"ctrl+y"}, after, "Ctrl+Y on the main window did not make it again");
        // Back to the design as loaded: the program closes without asking to save it.
        keysShow({"ctrl+z"}, before, "Ctrl+Z did not take the drag back a second time");
    });
}

void DesignAtTheWindowTest::aRowIsPreviewedOnTheCanvas()
{
    withTheExample([](const XDesktop &desktop, const XWindow &main, const XWindow &canvas,
                       const QImage &before) {
        focus(desktop, main, emptySpotOf(desktop.current(main)), "the main window");

        // Alt+V switches the preview on; the row box comes next in the tab order.
        XDesktop::keys({"alt+v"});
        QVERIFY2(waitUntilShown(desktop, canvas, [&](const QImage &now) { return now != before; })
                != before,
            "Alt+V showed no row on the canvas");
        XDesktop::keys({"Tab", "ctrl+a"});
        XDesktop::type(QStringLiteral("5"), 300);
        XDesktop::keys({"Return"});
        // Row 5 of the example: QM-1005 and its page's address, both codes drawn.
        const QString address = QStringLiteral("https://example.com/p/QM-1005");
        const QImage row5 = waitUntilShown(desktop, canvas, [&](const QImage &now) {
            const std::optional<DecodedCode> barcode = findCode128(now);
            return barcode && barcode->text == QStringLiteral("QM-1005")
                && qrTextIn(now) == address;
        });
        const std::optional<DecodedCode> barcode = findCode128(row5);
        QVERIFY2(barcode, "the previewed row shows no barcode");
        QCOMPARE(barcode->text, QStringLiteral("QM-1005"));
        QVERIFY2(qrTextIn(row5), "the previewed row shows no QR code");
        QCOMPARE(*qrTextIn(row5), address);

        XDesktop::keys({"alt+v"});
        QVERIFY2(waitUntilShown(desktop, canvas, [&](const QImage &now) { return now == before; })
                == before,
            "switching the preview off did not show the design as it was");
    });
}

void DesignAtTheWindowTest::aPictureLargerThanTheScreenIsSeenWhole()
{
    QTemporaryDir work;
    QVERIFY(!copyExample(work.path()).isEmpty());
    // The example with a 6000 × 4000 picture, red at the top, blue at the bottom.
    QFile example(QDir(work.path()).filePath("example.ini"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QByteArray text = example.readAll();
    text.replace(
        "text1,label.png", "text1," + fixture("pictures/gradient_6000x4000_16bit.png").toUtf8());
    QFile layout(QDir(work.path()).filePath("big.ini"));
    QVERIFY(layout.open(QIODevice::WriteOnly) && layout.write(text) == text.size());
    layout.close();

    RunningProgram program(work.path(), {layout.fileName()});
    QVERIFY2(program.waitForStarted(), qPrintable(program.error()));
    const XDesktop desktop(program.pid());
    try {
        const XWindow main
            = desktop.waitForWindow(mainWindowTitle, "the main window", windowTimeoutMs);
        const QImage screen = XDesktop::screenshot();
        QVERIFY(!screen.isNull());
        // The main window to the screen's top right corner, as a person makes room for the label;
        // the canvas follows. (The program centres its main window once more when the window
        // manager has framed it: the person moves it again.)
        const QPoint corner(screen.width() - main.client.width() - 10, 30);
        XWindow moved = main;
        XWindow canvas;
        QElapsedTimer clock;
        clock.start();
        do {
            if (moved.client.topLeft() != corner) XDesktop::move(moved, corner);
            QThread::msleep(300);
            moved = desktop.waitForWindow(mainWindowTitle, "the main window", windowTimeoutMs);
            canvas = desktop.waitForWindow(canvasTitle, "the canvas", windowTimeoutMs);
        } while ((moved.client.topLeft() != corner || canvas.client.left() < 0)
            && clock.elapsed() < windowTimeoutMs);
        const QRect whole(QPoint(), screen.size());
        QVERIFY2(whole.contains(canvas.client), qPrintable(desktop.describe()));
        // Docked 80 twips (5 pixels) beside the main window, frames between them.
        const int gap = moved.client.left() - canvas.client.right() - 1;
        QVERIFY2(gap >= pixels(80) && gap < pixels(80) + 30, qPrintable(desktop.describe()));

        const QImage label = waitUntilShown(desktop, canvas, [](const QImage &now) {
            const QColor top = now.pixelColor(now.width() / 2, 2);
            return top.red() > 200 && top.blue() < 50;
        });
        const QColor top = label.pixelColor(label.width() / 2, 2);
        const QColor bottom = label.pixelColor(label.width() / 2, label.height() - 3);
        QVERIFY2(top.red() > 200 && top.blue() < 50 && bottom.blue() > 200 && bottom.red() < 50,
            qPrintable(top.name() + ' ' + bottom.name()));
        focus(desktop, moved, emptySpotOf(desktop.current(moved)), "the main window");
        XDesktop::keys({"alt+F4"});
    } catch (const StepFailed &failure) {
        QFAIL(qPrintable(QString::fromStdString(failure.what()) + '\n' + desktop.describe()));
    }
    QVERIFY2(program.waitForExit(60000), "the program did not end when its main window closed");
    QVERIFY2(program.endedWell(), qPrintable(program.output()));
}

QTEST_GUILESS_MAIN(DesignAtTheWindowTest)
#include "DesignAtTheWindowTest.moc"
