// Twips to screen pixels and back for window and control geometry.
#include "ScreenTwips.h"

#include <QScreen>
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

void ScreenTwips::centreOnScreen(QWidget *window)
{
    QRect frame = window->frameGeometry();
    frame.moveCenter(window->screen()->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace tagloom
