#include "FieldItem.h"

#include "TextMetrics.h"

namespace tagloom {

QSizeF FieldItem::size() const
{
    return TextMetrics::captionSize(caption, font.toQFont());
}

} // namespace tagloom
