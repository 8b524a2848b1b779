// A field item's size: that of its caption in its font.
#include "FieldItem.h"

#include "TextMetrics.h"

namespace tagloom {

QSizeF FieldItem::size() const
{
    return TextMetrics::captionSize(caption, font.toQFont());
}

} // namespace tagloom
