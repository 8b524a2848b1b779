// Drawing the label: picture, barcode holder, QR code image, field items and text items, in
// twips.
#include "LabelPainter.h"

#include "DotDither.h"
#include "LabelDesign.h"
#include "LabelRow.h"
#include "Twips.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>

namespace tagloom {

namespace {

const QColor barcodeHolderColor(0xc8, 0xc8, 0xc8); // the grey of scroll bars
const QColor barcodeTypeColor(0x60, 0x60, 0x60);
constexpr qreal largestTypeNameTwips = 200; // 10 pt
// A made bold's strokes are this share of the size wider, as FreeType makes them.
constexpr double syntheticBoldShare = 24;

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

// The label picture scaled to a page's dots and dithered, kept for the next page: a print run at a
// printer's dots draws the same picture at the same size on every page, and scaling it took more
// time than all the rest of a label.
const QImage &scaledForPages(const QImage &picture, const QSize &size)
{
    static struct
    {
        qint64 picture = 0;
        QImage scaled;
    } kept;
    if (kept.picture != picture.cacheKey() || kept.scaled.size() != size) {
        kept.scaled
            = ditheredToDots(picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        kept.picture = picture.cacheKey();
    }
    return kept.scaled;
}

void paintPicture(QPainter &painter, const LabelDesign &design, LabelPainter::Surface surface)
{
    // Stock with its design printed gets only the items.
    if (surface == LabelPainter::Surface::Page && !design.printsPicture()) return;
    const QRectF area(0, 0, design.scaleWidth(), design.scaleHeight());
    painter.fillRect(area, Qt::white);
    if (!design.picture()) return;
    const QTransform &toDevice = painter.deviceTransform();
    if (surface == LabelPainter::Surface::Page && painter.device()->devType() == QInternal::Image
        && toDevice.type() <= QTransform::TxScale) {
        // A page at a printer's dots. On whole dots: the picture moves by less than half a dot
        // against the items, which are drawn over it and take half a dot's ink to burn it.
        const QRectF exact = toDevice.mapRect(area);
        const QRect pixels(QPoint(qRound(exact.left()), qRound(exact.top())),
            QPoint(qRound(exact.right()) - 1, qRound(exact.bottom()) - 1));
        const QImage &scaled = scaledForPages(*design.picture(), pixels.size());
        painter.save();
        painter.resetTransform();
        painter.drawImage(pixels.topLeft(), scaled);
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.drawImage(area, *design.picture());
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
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
    const std::optional<DotGrid> &printerDots)
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
    barcode.paint(painter, design.barcodeComponentRect(), design.barcodeStrip(), printerDots);
}

void paintCodeImage(QPainter &painter, const LabelDesign &design, const LabelRow &row,
    const std::optional<DotGrid> &printerDots)
{
    const CodeImageItem &image = design.codeImage();
    const PictureRef &picture = row.qrPicture ? *row.qrPicture : image.picture;
    if (!image.visible || !picture) return;
    // The picture has one pixel per module. Modules must stay crisp at any size: no smoothing.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(
        LabelPainter::qrPlace(image.geometry.toRectF(), picture->width(), printerDots), *picture);
}

// Whether the face the font finds has a bold of its own, rather than one the font engine makes.
bool hasOwnBold(const QFont &font)
{
    const QFontInfo face(font);
    return QFontDatabase::bold(face.family(), face.styleName());
}

// Draws `text` in `font`. A face without a bold (SimSun's stand-in among them) is made bold here,
// alike on the screen, the printer and PDF: drawn once more a little to the right. Left to Qt, the
// screen drew it regular when scaled from twips, and PDF by a weight of its own.
void drawBoldAware(QPainter &painter, const LabelFont &labelFont, const QRectF &place, int flags,
    const QString &text)
{
    QFont font = LabelPainter::deviceFont(labelFont, painter.device());
    if (font.bold() && !hasOwnBold(font)) {
        font.setBold(false);
        painter.setFont(font);
        const double stroke = labelFont.pointSize * twipsPerPoint / syntheticBoldShare;
        painter.drawText(place.translated(stroke, 0), flags, text);
    }
    painter.setFont(font);
    painter.drawText(place, flags, text);
}

void paintField(QPainter &painter, const FieldItem &item)
{
    painter.setPen(item.foreColor);
    if (!item.box.isSet()) {
        drawBoldAware(painter, item.font, item.rect(),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, item.caption);
        return;
    }
    // The lines as found in twips, each drawn where it stands, so that every device breaks the
    // text alike.
    const FittedText fitted = item.box.layOut(item.caption, item.font);
    LabelFont font = item.font;
    font.pointSize = fitted.pointSize;
    const double spacing = fitted.size.height() / double(fitted.lines.size());
    for (int line = 0; line < fitted.lines.size(); ++line) {
        // No clipping at the box: a glyph that a device draws a little wider still shows.
        const QRectF place(item.left, item.top + line * spacing, fitted.size.width(), spacing);
        drawBoldAware(painter, font, place, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
            fitted.lines.at(line));
    }
}

// A field or text item with the row's text in place of its own; the size follows the text.
void paintFieldShowing(
    QPainter &painter, const FieldItem &item, const std::vector<QString> &texts, size_t index)
{
    if (!item.visible) return;
    if (index >= texts.size()) {
        paintField(painter, item);
        return;
    }
    FieldItem shown = item;
    shown.caption = texts[index];
    paintField(painter, shown);
}

} // namespace

void LabelPainter::useTwips(QPainter &painter)
{
    const QPaintDevice *device = painter.device();
    painter.scale(device->logicalDpiX() / twipsPerInch, device->logicalDpiY() / twipsPerInch);
}

DotGrid LabelPainter::printerGrid(const LabelDesign &design, double dotsPerInch)
{
    const QSizeF scale = design.printScale() * dotsPerInch / twipsPerInch;
    return DotGrid::scaled(scale.width(), scale.height());
}

QRectF LabelPainter::qrPlace(const QRectF &item, int modules, const std::optional<DotGrid> &dots)
{
    const int across = dots && modules > 0 ? dots->dotsAcross(item.width()) / modules : 0;
    const int down = dots && modules > 0 ? dots->dotsDown(item.height()) / modules : 0;
    if (across < 1 || down < 1) return item;
    const QSizeF size = dots->sizeOf(across * modules, down * modules);
    const QPointF centred = item.center() - QPointF(size.width() / 2, size.height() / 2);
    return {dots->snap(centred), size};
}

void LabelPainter::paint(
    QPainter &painter, const LabelDesign &design, const std::optional<DotGrid> &printerDots)
{
    paint(painter, design, LabelRow {}, printerDots);
}

void LabelPainter::paint(QPainter &painter, const LabelDesign &design, const LabelRow &row,
    const std::optional<DotGrid> &printerDots, Surface surface)
{
    const SavedState saved(painter);
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setClipRect(QRectF(0, 0, design.scaleWidth(), design.scaleHeight()), Qt::IntersectClip);
    paintPicture(painter, design, surface);
    paintBarcodeItem(painter, design, row, printerDots);
    paintCodeImage(painter, design, row, printerDots);
    for (int index = 1; index < design.fieldCount(); ++index)
        paintFieldShowing(painter, design.field(index), row.captions, static_cast<size_t>(index));
    for (int index = 0; index < design.textItemCount(); ++index)
        paintFieldShowing(painter, design.textItem(index), row.texts, static_cast<size_t>(index));
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
