// Choosing the canvas view's scale.
#include "CanvasViewScale.h"

#include <algorithm>
#include <cmath>

namespace tagloom {

CanvasViewScale::CanvasViewScale(double screenDpiX, double screenDpiY)
    : CanvasViewScale(screenDpiX, screenDpiY, screenDpiX, screenDpiY)
{
}

CanvasViewScale::CanvasViewScale(double dpiX, double dpiY, double screenDpiX, double screenDpiY)
    : dpiX_(dpiX)
    , dpiY_(dpiY)
    , screenDpiX_(screenDpiX)
    , screenDpiY_(screenDpiY)
{
}

CanvasViewScale CanvasViewScale::fitting(const QSizeF &label, const QSizeF &screen,
    const QSizeF &room, double screenDpiX, double screenDpiY)
{
    if (label.width() <= screen.width() && label.height() <= screen.height())
        return {screenDpiX, screenDpiY};
    const double fit = std::min(room.width() / label.width(), room.height() / label.height());
    // A screen with next to no room left still shows the label, at a thousandth of its size.
    const double shrink = std::clamp(fit, 1e-3, 1.0);
    const double twipsPerPixel
        = std::ceil(twipsPerInch / (std::min(screenDpiX, screenDpiY) * shrink));
    const double dpi = twipsPerInch / twipsPerPixel;
    return {dpi, dpi, screenDpiX, screenDpiY};
}

} // namespace tagloom
