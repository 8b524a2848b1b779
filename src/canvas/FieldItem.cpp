// A field item's size: that of its caption in its font, or of its lines in the box it was given.
#include "FieldItem.h"

#include "TextMetrics.h"

namespace tagloom {

QSizeF FieldItem::size() const
{
    if (box.isSet()) return box.layOut(caption, font).size;
    return TextMetrics::captionSize(caption, font.toQFont());
}

} // namespace tagloom
