// The values of a layout file's fields as the items take them. A value an item could not sensibly
// take is refused like text that is no number, so a damaged file never puts an item out of reach.
#pragma once

#include "canvas/Twips.h"

#include <QString>
#include <optional>

namespace tagloom {

class LayoutValue
{
public:
    // Positions reach well past any label picture (100000 twips are 1.76 m) in either direction.
    static constexpr Twips maxPosition = 100000;
    // Sizes of the QR code image and the barcode holder: not negative, no larger than a position.
    static constexpr Twips maxSize = 100000;
    // Font sizes in points: the largest is the one whose height in twips still fits 16 bits.
    static constexpr float minFontSize = 1;
    static constexpr float maxFontSize = 1638;

    // Single-precision numbers, spaces around them allowed; nothing when empty, no number or out
    // of range.
    static std::optional<Twips> position(const QString &text);
    static std::optional<Twips> size(const QString &text);
    static std::optional<float> fontSize(const QString &text);
    // A whole number of 16 bits; whether the chooser has that entry is the chooser's to say.
    static std::optional<int> listIndex(const QString &text);
};

} // namespace tagloom
