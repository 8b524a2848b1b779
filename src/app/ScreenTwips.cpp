// Twips to screen pixels and back for window and control geometry.
#include "ScreenTwips.h"

#include <QEvent>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace tagloom {

double ScreenTwips::dpiX(const QWidget *widget)
{
    return widget->logicalDpiX();
}

double ScreenTwips::dpiY(const QWidget *widget)
{
    return widget->logicalDpiY();
}

void ScreenTwips::place(QWidget *widget, const TwipsRect &rect)
{
    widget->setGeometry(twipsToPixelRect(rect, dpiX(widget), dpiY(widget)));
}

void ScreenTwips::resizeClient(QWidget *window, Twips width, Twips height)
{
    window->resize(
        qRound(twipsToPixels(width, dpiX(window))), qRound(twipsToPixels(height, dpiY(window))));
}

QSizeF ScreenTwips::availableSize(const QWidget *window)
{
    const QSize available = window->screen()->availableGeometry().size();
    return {pixelsToTwips(available.width(), dpiX(window)),
        pixelsToTwips(available.height(), dpiY(window))};
}

QPointF ScreenTwips::windowPosition(const QWidget *window)
{
    const QPoint topLeft = window->frameGeometry().topLeft();
    return {pixelsToTwips(topLeft.x(), dpiX(window)), pixelsToTwips(topLeft.y(), dpiY(window))};
}

void ScreenTwips::moveWindow(QWidget *window, Twips left, Twips top)
{
    window->move(
        qRound(twipsToPixels(left, dpiX(window))), qRound(twipsToPixels(top, dpiY(window))));
}

namespace {

void centreFrame(QWidget *window)
{
    QRect frame = window->frameGeometry();
    frame.moveCenter(window->screen()->availableGeometry().center());
    window->move(frame.topLeft());
}

// A window's frame is known only once the window manager has framed it, after it is shown:
// centred before that, the client area is in the middle and the whole window sits low by half
// the title bar. At the first move that brings the frame, it goes up by that much: a move made
// meanwhile (the main window making room for the label) stays.
class CentreOnceFramed : public QObject
{
public:
    explicit CentreOnceFramed(QWidget *window)
        : QObject(window)
    {
        window->installEventFilter(this);
        // A platform without frames never sends one.
        QTimer::singleShot(3000, this, &QObject::deleteLater);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *window = static_cast<QWidget *>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Show)
            && window->frameGeometry() != window->geometry()) {
            window->removeEventFilter(this); // the move below is one too
            const QRect frame = window->frameGeometry();
            window->move(frame.left(), frame.top() - (frame.height() - window->height()) / 2);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void ScreenTwips::centreOnScreen(QWidget *window)
{
    centreFrame(window);
    if (window->frameGeometry() == window->geometry()) new CentreOnceFramed(window);
}

} // namespace tagloom
