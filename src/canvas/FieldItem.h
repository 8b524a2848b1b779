// A field item: one text on the label standing for one data column (index 0 is the hidden
// template).
#pragma once

#include "LabelFont.h"
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

    // Field items size themselves to their text: the size follows caption and font.
    QSizeF size() const;
    QRectF rect() const { return {QPointF(left, top), size()}; }

    friend bool operator==(const FieldItem &, const FieldItem &) = default;
};

} // namespace tagloom
