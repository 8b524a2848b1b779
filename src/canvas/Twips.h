// Twips: the unit of every position and size on the label (1440 twips = 1 inch).
// The design keeps single-precision twips; pixels appear only where Qt draws.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

namespace tagloom {

using Twips = float;

inline constexpr double twipsPerInch = 1440.0;
inline constexpr double twipsPerPoint = 20.0;
inline constexpr double twipsPerMillimetre = twipsPerInch / 25.4;
// Pictures are measured at 96 dots per inch, so a picture pixel is 15 twips on every screen.
inline constexpr double twipsPerPicturePixel = 15.0;

// Left, top, width and height of an item, in twips.
struct TwipsRect
{
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;

    QRectF toRectF() const { return {left, top, width, height}; }
    friend bool operator==(const TwipsRect &, const TwipsRect &) = default;
};

// Device pixels for a length in twips on a device of the given dots per inch.
inline double twipsToPixels(double twips, double dpi)
{
    return twips * dpi / twipsPerInch;
}

inline double pixelsToTwips(double pixels, double dpi)
{
    return pixels * twipsPerInch / dpi;
}

// The pixel rectangle of an item on a device of the given dots per inch, rounded to whole pixels.
inline QRect twipsToPixelRect(const TwipsRect &rect, double dpiX, double dpiY)
{
    const int left = qRound(twipsToPixels(rect.left, dpiX));
    const int top = qRound(twipsToPixels(rect.top, dpiY));
    const int right = qRound(twipsToPixels(double(rect.left) + rect.width, dpiX));
    const int bottom = qRound(twipsToPixels(double(rect.top) + rect.height, dpiY));
    return {left, top, right - left, bottom - top};
}

} // namespace tagloom
