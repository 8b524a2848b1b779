// Window and control geometry in twips on the screen: controls are laid out in twips and placed
// in whole pixels of the screen they are on.
#pragma once

#include "canvas/Twips.h"

class QWidget;

namespace tagloom {

class ScreenTwips
{
public:
    static double dpiX(const QWidget *widget);
    static double dpiY(const QWidget *widget);

    // Places a control inside its parent.
    static void place(QWidget *widget, const TwipsRect &rect);
    static void place(QWidget *widget, Twips left, Twips top, Twips width, Twips height)
    {
        place(widget, TwipsRect {left, top, width, height});
    }

    // Sets the size of a window's client area.
    static void resizeClient(QWidget *window, Twips width, Twips height);

    // The outer position of a top-level window in screen twips, and moving it there.
    static QPointF windowPosition(const QWidget *window);
    static void moveWindow(QWidget *window, Twips left, Twips top);
    // Puts a top-level window, frame and all, in the middle of its screen; a window not yet framed
    // is centred again once the window manager has framed it.
    static void centreOnScreen(QWidget *window);
};

} // namespace tagloom
