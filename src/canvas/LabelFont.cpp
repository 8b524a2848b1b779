// Field item fonts as Qt fonts, with the Chinese fallback faces.
#include "LabelFont.h"

#include <QStringList>

namespace tagloom {

QFont chineseFont(const QString &family, double pointSize)
{
    QFont font;
    font.setFamilies(
        {family, QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(pointSize);
    return font;
}

QFont LabelFont::toQFont() const
{
    QFont font = chineseFont(family, pointSize);
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
