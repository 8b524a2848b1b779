// Drawing the label: picture, barcode holder, QR code image and field items, in twips.
#include "LabelPainter.h"

#include "LabelDesign.h"
#include "Twips.h"

#include <QPaintDevice>
#include <QPainter>

namespace tagloom {

namespace {

const QColor barcodeHolderColor(0xc8, 0xc8, 0xc8); // the grey of scroll bars

// Saves the painter's state and restores it on the way out, also when drawing runs out of memory.
class SavedState
{
public:
    explicit SavedState(QPainter &painter)
        : painter_(painter)
    {
        painter_.save();
    }
    ~SavedState() { painter_.restore(); }
    SavedState(const SavedState &) = delete;
    SavedState &operator=(const SavedState &) = delete;

private:
    QPainter &painter_;
};

void paintPicture(QPainter &painter, const LabelDesign &design)
{
    const QRectF area(0, 0, design.scaleWidth(), design.scaleHeight());
    painter.fillRect(area, Qt::white);
    if (design.picture()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
        painter.drawImage(area, *design.picture());
        painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    }
}

void paintBarcodeItem(QPainter &painter, const LabelDesign &design)
{
    const BarcodeHolderItem &holder = design.barcodeHolder();
    if (!holder.visible) return;
    const QRectF holderRect = holder.geometry.toRectF();
    const SavedState saved(painter);
    painter.setClipRect(holderRect, Qt::IntersectClip);
    painter.fillRect(holderRect, barcodeHolderColor);
    const BarCodeCtrl &barcode = design.barcode();
    if (barcode.isVisible()) {
        const QRectF component = barcode.geometry().toRectF().translated(holderRect.topLeft());
        barcode.paint(painter, component, component.intersected(holderRect));
    }
}

void paintCodeImage(QPainter &painter, const LabelDesign &design)
{
    const CodeImageItem &image = design.codeImage();
    if (!image.visible || !image.picture) return;
    // Modules must stay crisp at any size: no smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(image.geometry.toRectF(), *image.picture);
}

void paintField(QPainter &painter, const FieldItem &item)
{
    painter.setFont(LabelPainter::deviceFont(item.font, painter.device()));
    painter.setPen(item.foreColor);
    painter.drawText(item.rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, item.caption);
}

} // namespace

void LabelPainter::useTwips(QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    painter.scale(device->logicalDpiX() / twipsPerInch, device->logicalDpiY() / twipsPerInch);
}

void LabelPainter::paint(QPainter &painter, const LabelDesign &design)
{
    const SavedState saved(painter);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(QRectF(0, 0, design.scaleWidth(), design.scaleHeight()), Qt::IntersectClip);
    paintPicture(painter, design);
    paintBarcodeItem(painter, design);
    paintCodeImage(painter, design);
    for (int index = 1; index < design.fieldCount(); ++index) {
        const FieldItem &item = design.field(index);
        if (item.visible) paintField(painter, item);
    }
}

QFont LabelPainter::deviceFont(const LabelFont &font, const QPaintDevice *device)
{
    // Qt sizes a font by the device's dots per inch and then applies the twips transform on top;
    // undo the first so that the point size holds in twips space.
    QFont qfont = font.toQFont();
    qfont.setPointSizeF(font.pointSize * twipsPerInch / device->logicalDpiY());
    return qfont;
}

} // namespace tagloom
