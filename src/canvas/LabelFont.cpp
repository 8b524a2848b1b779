#include "LabelFont.h"

#include <QStringList>

namespace tagloom {

QFont LabelFont::toQFont() const
{
    QFont font;
    font.setFamilies({family, QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeout);
    return font;
}

LabelFont defaultLabelFont()
{
    LabelFont font;
    font.family = QStringLiteral("SimSun");
    font.pointSize = 9.0F;
    return font;
}

} // namespace tagloom
