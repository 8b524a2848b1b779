// The values of a layout file's fields as the items take them. A value an item could not sensibly
// take is refused like text that is no number, so a damaged file never puts an item out of reach.
#pragma once

#include "canvas/DesignLimits.h"

#include <QString>
#include <optional>

namespace tagloom {

class LayoutValue
{
public:
    // Single-precision numbers, spaces around them allowed; nothing when empty, no number or out
    // of the design's limits (sizes may be 0 here: an item of no size was saved as such).
    static std::optional<Twips> position(const QString &text);
    static std::optional<Twips> size(const QString &text);
    static std::optional<float> fontSize(const QString &text);
    // A whole number of 16 bits; whether the chooser has that entry is the chooser's to say.
    static std::optional<int> listIndex(const QString &text);
};

} // namespace tagloom
