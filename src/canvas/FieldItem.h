// A field item: one text on the label standing for one data column (index 0 is the hidden
// template). A free text item is held the same way, its caption the text with fields it shows
// (TextTemplate); its index stands for no column.
#pragma once

#include "LabelFont.h"
#include "TextBox.h"
#include "Twips.h"

#include <QColor>
#include <QSizeF>
#include <QString>

namespace tagloom {

struct FieldItem
{
    int index = 0;
    QString caption;
    Twips left = 0;
    Twips top = 0;
    bool visible = false;
    LabelFont font;
    QColor foreColor = Qt::black;
    TextBox box; // none: the item sizes itself to its text

    // Field items size themselves to their text: the size follows caption and font; an item given
    // a width keeps it, and its height follows the lines its text takes there.
    QSizeF size() const;
    QRectF rect() const { return {QPointF(left, top), size()}; }

    friend bool operator==(const FieldItem &, const FieldItem &) = default;
};

} // namespace tagloom
