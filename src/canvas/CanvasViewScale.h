// How the canvas window shows the label: at true size while the window fits on its screen, and
// otherwise scaled down until it fits. Only the view is scaled: every position and size stays in
// label twips, and a pointer position maps back to label twips through the same scale, so a drag
// moves an item by exactly the pointer's way on the label.
#pragma once

#include "Twips.h"

#include <QSizeF>

namespace tagloom {

class CanvasViewScale
{
public:
    // True size on a screen of these dots per inch.
    CanvasViewScale(double screenDpiX, double screenDpiY);

    // The view of a label `label` twips large: true size when it fits on a screen of `screen`
    // twips, else the largest scale at which it fits in `room` screen twips and a screen pixel
    // stands for a whole number of label twips, so that drags leave items at whole twips as they
    // do at true size.
    static CanvasViewScale fitting(const QSizeF &label, const QSizeF &screen, const QSizeF &room,
        double screenDpiX, double screenDpiY);

    bool isTrueSize() const { return dpiX_ == screenDpiX_ && dpiY_ == screenDpiY_; }
    // Screen twips that one label twip is shown as: 1 at true size.
    double factorX() const { return dpiX_ / screenDpiX_; }
    double factorY() const { return dpiY_ / screenDpiY_; }

    // The pixels an item covers on the screen, and the label twips at a pixel position.
    QRect toPixels(const TwipsRect &rect) const { return twipsToPixelRect(rect, dpiX_, dpiY_); }
    QPointF toTwips(QPointF pixels) const
    {
        return {pixelsToTwips(pixels.x(), dpiX_), pixelsToTwips(pixels.y(), dpiY_)};
    }

private:
    CanvasViewScale(double dpiX, double dpiY, double screenDpiX, double screenDpiY);

    double dpiX_; // screen pixels to an inch of the label
    double dpiY_;
    double screenDpiX_;
    double screenDpiY_;
};

} // namespace tagloom
