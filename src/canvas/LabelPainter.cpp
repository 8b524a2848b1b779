// Drawing the label: picture, barcode holder, QR code image and field items, in twips.
#include "LabelPainter.h"

#include "LabelDesign.h"
#include "LabelRow.h"
#include "Twips.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

namespace tagloom {

namespace {

const QColor barcodeHolderColor(0xc8, 0xc8, 0xc8); // the grey of scroll bars
const QColor barcodeTypeColor(0x60, 0x60, 0x60);
constexpr qreal largestTypeNameTwips = 200; // 10 pt

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

// The holder stands empty until the bars come with a row; meanwhile it names their type.
void paintBarcodeTypeName(QPainter &painter, const QRectF &holderRect, BarcodeType type)
{
    constexpr qreal inset = 60;
    const int size = static_cast<int>(std::min(largestTypeNameTwips, holderRect.height() / 3));
    if (size < 1) return;
    QFont font;
    font.setPixelSize(size);
    painter.setFont(font);
    painter.setPen(barcodeTypeColor);
    painter.drawText(holderRect.adjusted(inset, inset / 2, -inset, 0),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, barcodeTypeName(type));
}

void paintBarcodeItem(QPainter &painter, const LabelDesign &design, const LabelRow &row,
    LabelPainter::CodeFit codeFit)
{
    const BarcodeHolderItem &holder = design.barcodeHolder();
    if (!holder.visible) return;
    const QRectF holderRect = holder.geometry.toRectF();
    const SavedState saved(painter);
    painter.setClipRect(holderRect, Qt::IntersectClip);
    painter.fillRect(holderRect, barcodeHolderColor);
    const BarCodeCtrl &barcode = row.barcode ? *row.barcode : design.barcode();
    if (!barcode.isVisible()) {
        paintBarcodeTypeName(painter, holderRect, barcode.type());
        return;
    }
    // On screen whole pixels keep every bar's width ratio, at no cost to the look.
    const bool onDots = codeFit == LabelPainter::CodeFit::PrinterDots
        || painter.paintEngine()->type() == QPaintEngine::Raster;
    barcode.paint(painter, design.barcodeComponentRect(), design.barcodeStrip(),
        onDots ? DotGrid::of(painter) : std::nullopt);
}

void paintCodeImage(QPainter &painter, const LabelDesign &design, const LabelRow &row,
    LabelPainter::CodeFit codeFit)
{
    const CodeImageItem &image = design.codeImage();
    const PictureRef &picture = row.qrPicture ? *row.qrPicture : image.picture;
    if (!image.visible || !picture) return;
    QRectF place = image.geometry.toRectF();
    if (codeFit == LabelPainter::CodeFit::PrinterDots) {
        // The picture has one pixel per module.
        const std::optional<DotGrid> dots = DotGrid::of(painter);
        const std::optional<QRectF> onDots
            = dots ? LabelPainter::qrOnDots(place, picture->width(), *dots) : std::nullopt;
        if (onDots) place = *onDots;
    }
    // Modules must stay crisp at any size: no smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(place, *picture);
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

std::optional<QRectF> LabelPainter::qrOnDots(const QRectF &item, int modules, const DotGrid &dots)
{
    const int across = modules > 0 ? dots.dotsAcross(item.width()) / modules : 0;
    const int down = modules > 0 ? dots.dotsDown(item.height()) / modules : 0;
    if (across < 1 || down < 1) return std::nullopt;
    const QSizeF size = dots.sizeOf(across * modules, down * modules);
    const QPointF centred = item.center() - QPointF(size.width() / 2, size.height() / 2);
    return QRectF(dots.snap(centred), size);
}

void LabelPainter::paint(QPainter &painter, const LabelDesign &design, CodeFit codeFit)
{
    paint(painter, design, LabelRow {}, codeFit);
}

void LabelPainter::paint(
    QPainter &painter, const LabelDesign &design, const LabelRow &row, CodeFit codeFit)
{
    const SavedState saved(painter);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setClipRect(QRectF(0, 0, design.scaleWidth(), design.scaleHeight()), Qt::IntersectClip);
    paintPicture(painter, design);
    paintBarcodeItem(painter, design, row, codeFit);
    paintCodeImage(painter, design, row, codeFit);
    for (int index = 1; index < design.fieldCount(); ++index) {
        const FieldItem &item = design.field(index);
        if (!item.visible) continue;
        if (static_cast<size_t>(index) >= row.captions.size()) {
            paintField(painter, item);
            continue;
        }
        FieldItem shown = item; // the size follows the caption
        shown.caption = row.captions[static_cast<size_t>(index)];
        paintField(painter, shown);
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
