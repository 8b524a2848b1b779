// Windows and input through xdotool, window geometry through xwininfo, the screen through import.
#include "XDesktop.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>

namespace tagloom::test {

namespace {

constexpr int pollMs = 100;

// Runs an X tool and returns what it wrote; throws when it cannot run at all.
QString run(const QString &tool, const QStringList &arguments, bool *ok = nullptr)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000))
        throw StepFailed(QStringLiteral("%1 %2 did not finish: %3")
                             .arg(tool, arguments.join(QLatin1Char(' ')), process.errorString())
                             .toStdString());
    if (ok) *ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return QString::fromUtf8(process.readAllStandardOutput());
}

void xdotool(const QStringList &arguments)
{
    bool ok = false;
    run(QStringLiteral("xdotool"), arguments, &ok);
    if (!ok)
        throw StepFailed(QStringLiteral("xdotool %1 failed")
                             .arg(arguments.join(QLatin1Char(' ')))
                             .toStdString());
}

QString position(QPoint point)
{
    return QStringLiteral("%1 %2").arg(point.x()).arg(point.y());
}

} // namespace

XDesktop::XDesktop(qint64 pid)
    : pid_(pid)
{
}

std::optional<QRect> XDesktop::clientArea(const QString &id) const
{
    // xwininfo gives the client area's own place; xdotool's getwindowgeometry counts the window
    // manager's frame in twice.
    bool ok = false;
    const QString info = run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id}, &ok);
    if (!ok || !info.contains(QLatin1String("IsViewable"))) return std::nullopt;
    auto field = [&info](const char *name) {
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(name)))
                  .match(info);
        return match.captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
        field("Height"));
}

QList<XWindow> XDesktop::windows(const QString &titlePattern) const
{
    bool found = false;
    QStringList search {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
        QStringLiteral("--all"), QStringLiteral("--pid"), QString::number(pid_)};
    // Popups such as a combo box's list have no title at all.
    if (!titlePattern.isEmpty()) search << QStringLiteral("--name") << titlePattern;
    const QString ids = run(QStringLiteral("xdotool"), search, &found);
    QList<XWindow> shown;
    if (!found) return shown; // xdotool says so with status 1
    for (const QString &id : ids.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        // A window may close between the search and these questions.
        bool named = false;
        const QString title
            = run(QStringLiteral("xdotool"), {QStringLiteral("getwindowname"), id}, &named)
                  .trimmed();
        const std::optional<QRect> client = clientArea(id);
        if (named && client) shown.append({id, title, *client});
    }
    return shown;
}

// Asks `found` every poll until it gives a window or the time is up; then the step fails, saying
// what did not happen.
template<class Found>
auto XDesktop::poll(const Found &found, const QString &failure, int timeoutMs) const
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (auto result = found()) return *result;
        QThread::msleep(pollMs);
    } while (clock.elapsed() < timeoutMs);
    throw StepFailed(failure.arg(timeoutMs / 1000.0).arg(describe()).toStdString());
}

XWindow XDesktop::waitForWindow(
    const QString &titlePattern, const QString &what, int timeoutMs) const
{
    return poll(
        [&]() -> std::optional<XWindow> {
            const QList<XWindow> found = windows(titlePattern);
            if (found.isEmpty()) return std::nullopt;
            return found.last();
        },
        QStringLiteral("%1 did not appear within %2 s (%3)").arg(what), timeoutMs);
}

XWindow XDesktop::waitForNewWindow(
    const QList<XWindow> &known, const QString &what, int timeoutMs) const
{
    return poll(
        [&]() -> std::optional<XWindow> {
            for (const XWindow &window : windows()) {
                if (std::none_of(known.begin(), known.end(),
                        [&window](const XWindow &old) { return old.id == window.id; }))
                    return window;
            }
            return std::nullopt;
        },
        QStringLiteral("%1 did not appear within %2 s (%3)").arg(what), timeoutMs);
}

void XDesktop::waitUntilClosed(const XWindow &window, const QString &what, int timeoutMs) const
{
    poll([&] { return clientArea(window.id) ? std::nullopt : std::optional<bool>(true); },
        QStringLiteral("%1 was still open after %2 s (%3)").arg(what), timeoutMs);
}

XWindow XDesktop::current(const XWindow &window) const
{
    const std::optional<QRect> client = clientArea(window.id);
    if (!client)
        throw StepFailed(QStringLiteral("the window “%1” is gone (%2)")
                             .arg(window.title, describe())
                             .toStdString());
    return {window.id, window.title, *client};
}

void XDesktop::waitForFocus(const XWindow &window, const QString &what, int timeoutMs) const
{
    poll([&] { return activeWindow().id == window.id ? std::optional<bool>(true) : std::nullopt; },
        QStringLiteral("%1 did not get the keyboard focus within %2 s (%3)").arg(what), timeoutMs);
}

XWindow XDesktop::activeWindow() const
{
    bool ok = false;
    const QString id
        = run(QStringLiteral("xdotool"), {QStringLiteral("getactivewindow")}, &ok).trimmed();
    if (ok) {
        for (const XWindow &window : windows()) {
            if (window.id == id) return window;
        }
    }
    return {};
}

QString XDesktop::describe() const
{
    QStringList lines;
    for (const XWindow &window : windows()) {
        lines << QStringLiteral("“%1” at %2,%3 %4x%5")
                     .arg(window.title)
                     .arg(window.client.x())
                     .arg(window.client.y())
                     .arg(window.client.width())
                     .arg(window.client.height());
    }
    const XWindow active = activeWindow();
    return QStringLiteral("on the screen: %1; keyboard focus: %2")
        .arg(lines.isEmpty() ? QStringLiteral("no window of the program") : lines.join("; "),
            active.id.isEmpty() ? QStringLiteral("no window of the program")
                                : QStringLiteral("“%1”").arg(active.title));
}

void XDesktop::move(const XWindow &window, QPoint topLeft)
{
    xdotool({QStringLiteral("windowmove"), QStringLiteral("--sync"), window.id,
        QString::number(topLeft.x()), QString::number(topLeft.y())});
}

void XDesktop::click(QPoint screen)
{
    xdotool(QStringLiteral("mousemove --sync %1 click 1").arg(position(screen)).split(' '));
}

void XDesktop::doubleClick(QPoint screen)
{
    xdotool(
        QStringLiteral("mousemove --sync %1 click --repeat 2 1").arg(position(screen)).split(' '));
}

void XDesktop::drag(QPoint from, QPoint to)
{
    xdotool(QStringLiteral("mousemove --sync %1 mousedown 1").arg(position(from)).split(' '));
    constexpr int steps = 12;
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = from + (to - from) * step / steps;
        xdotool(QStringLiteral("mousemove --sync %1").arg(position(at)).split(' '));
        QThread::msleep(20);
    }
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
}

void XDesktop::type(const QString &text, int delayMs)
{
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QString::number(delayMs), text});
}

void XDesktop::keys(const QStringList &names)
{
    xdotool(QStringList {QStringLiteral("key")} + names);
}

QImage XDesktop::screenshot()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("screen.png"));
    bool ok = false;
    run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path}, &ok);
    return ok ? QImage(path) : QImage();
}

} // namespace tagloom::test
