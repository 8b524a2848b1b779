// The ranges the design's values keep to, wherever they come from: the size dialog, the font
// dialog or a layout file. Far beyond any real label, small enough that nothing goes out of reach.
#pragma once

#include "Twips.h"

namespace tagloom::DesignLimits {

// Positions reach well past any label picture (100000 twips are 1.76 m) in either direction.
inline constexpr Twips largestPosition = 100000;
// Sizes of the QR code image and the barcode holder.
inline constexpr Twips largestSize = 100000;
// Font sizes in points: the largest is the one whose height in twips still fits 16 bits.
inline constexpr float smallestFontSize = 1;
inline constexpr float largestFontSize = 1638;

} // namespace tagloom::DesignLimits
