// The width a person gives a text item, and how its text fits it: wrapped into lines where Chinese
// and Western text may break (the Unicode line breaking rules, through QTextLayout), or shrunk down
// to a smallest size first and wrapped only below that. Lines are found in twips, the same for the
// screen and every printer, so a text breaks where the canvas shows it break.
#pragma once

#include "LabelFont.h"
#include "Twips.h"

#include <QSizeF>
#include <QStringList>

namespace tagloom {

// A text laid out in its box: its lines, the size its font takes and the room it needs.
struct FittedText
{
    QStringList lines;
    float pointSize = 0;
    QSizeF size;
};

struct TextBox
{
    enum class Fit { Wrap, Shrink };

    Twips width = 0; // none: the item sizes itself to its text
    Fit fit = Fit::Wrap;
    float smallestPointSize = 6; // how far Shrink goes before it wraps

    bool isSet() const { return width > 0; }

    // The text in the box. Line breaks in the text stay; a word wider than the box is broken
    // anywhere.
    FittedText layOut(const QString &text, const LabelFont &font) const;

    friend bool operator==(const TextBox &, const TextBox &) = default;
};

} // namespace tagloom
