// A program's windows on the X desktop, seen and used as a person does: found by their titles,
// clicked at screen positions, typed into and answered with keys, all through real X input
// events (xdotool), so that the keys go to whichever window has the keyboard focus.
#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

namespace tagloom::test {

// A step that could not be done, with what the screen showed at that moment.
class StepFailed : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

struct XWindow
{
    QString id;
    QString title;
    QRect client; // the client area on the screen, the window manager's frame left out
};

class XDesktop
{
public:
    // The windows of one running program.
    explicit XDesktop(qint64 pid);

    // Its shown windows whose title matches `titlePattern` (a regular expression; all of them
    // when it is empty), in stacking order.
    QList<XWindow> windows(const QString &titlePattern = {}) const;
    // Waits for a shown window whose title matches; throws naming `what` when none comes.
    XWindow waitForWindow(const QString &titlePattern, const QString &what, int timeoutMs) const;
    // Waits for a shown window that is none of `known`; throws naming `what` when none comes.
    XWindow waitForNewWindow(const QList<XWindow> &known, const QString &what, int timeoutMs) const;
    // Waits until the window is gone or hidden; throws naming `what` when it stays.
    void waitUntilClosed(const XWindow &window, const QString &what, int timeoutMs) const;
    // The window where it is now: windows move after they appear (framed, centred, docked).
    // Throws when it is gone.
    XWindow current(const XWindow &window) const;
    // Waits until the window has the keyboard focus; throws naming `what` when it does not get it.
    void waitForFocus(const XWindow &window, const QString &what, int timeoutMs) const;
    // The window that has the keyboard focus, with an empty id when it is not the program's.
    XWindow activeWindow() const;
    // One line for failure messages: the program's windows and which one is active.
    QString describe() const;

    // Moves a window, as a person drags it by its title bar, so that its client area's top left
    // corner comes to `topLeft`.
    static void move(const XWindow &window, QPoint topLeft);
    static void click(QPoint screen);
    static void doubleClick(QPoint screen);
    // Presses the left button at `from`, moves in small steps to `to` and releases it there.
    static void drag(QPoint from, QPoint to);
    // Types text into the focused window, `delayMs` between the keys.
    static void type(const QString &text, int delayMs);
    // Presses keys one after the other, by their X names ("Return", "ctrl+a"), in the focused
    // window.
    static void keys(const QStringList &names);
    // The whole screen as it is now (ImageMagick's import); null when it cannot be taken.
    static QImage screenshot();

private:
    template<class Found>
    auto poll(const Found &found, const QString &failure, int timeoutMs) const;
    std::optional<QRect> clientArea(const QString &id) const;

    qint64 pid_;
};

} // namespace tagloom::test
