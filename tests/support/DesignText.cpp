// A design as text, attribute by attribute.
#include "DesignText.h"

#include "canvas/LabelDesign.h"

#include <QStringList>

namespace tagloom::test {

QString describe(const LabelDesign &design)
{
    const auto rect = [](const TwipsRect &r) {
        return QStringLiteral("%1 %2 %3 %4").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
    };
    QStringList parts;
    parts << QStringLiteral("picture %1 × %2 twips%3")
                 .arg(design.scaleWidth())
                 .arg(design.scaleHeight())
                 .arg(design.picture() ? "" : ", none");
    for (int index = 0; index < design.fieldCount(); ++index) {
        const FieldItem &item = design.field(index);
        const LabelFont &font = item.font;
        parts << QStringLiteral("Label1(%1) \"%2\" at %3 %4, \"%5\" %6 pt%7%8%9%10, %11, %12")
                     .arg(item.index)
                     .arg(item.caption)
                     .arg(item.left)
                     .arg(item.top)
                     .arg(font.family)
                     .arg(font.pointSize)
                     .arg(font.bold ? " bold" : "", font.italic ? " italic" : "",
                         font.underline ? " underline" : "", font.strikeout ? " strikeout" : "")
                     .arg(item.foreColor.name(QColor::HexArgb), item.visible ? "shown" : "hidden");
    }
    const CodeImageItem &image = design.codeImage();
    parts << QStringLiteral("Image1 %1, %2, %3, level %4")
                 .arg(rect(image.geometry), image.visible ? "shown" : "hidden",
                     design.qrCodeInserted() ? "inserted"
                         : image.picture     ? "other picture"
                                             : "no picture",
                     qrLevelName(design.qrLevel()));
    parts << QStringLiteral("Picture2 %1, %2")
                 .arg(rect(design.barcodeHolder().geometry),
                     design.barcodeHolder().visible ? "shown" : "hidden");
    parts << QStringLiteral("BarCodeCtrl1 %1, %2, %3")
                 .arg(rect(design.barcodeGeometry()), design.barcodeVisible() ? "shown" : "hidden",
                     barcodeTypeName(design.barcodeType()));
    if (const std::optional<QSizeF> &size = design.physicalSize())
        parts << QStringLiteral("printed %1 × %2 mm")
                     .arg(size->width() * 25.4 / twipsPerInch, 0, 'f', 2)
                     .arg(size->height() * 25.4 / twipsPerInch, 0, 'f', 2);
    return parts.join('\n');
}

} // namespace tagloom::test
