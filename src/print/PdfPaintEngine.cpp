// Label pages as PDF content.
#include "PdfPaintEngine.h"

#include "PdfGlyphFonts.h"
#include "PdfImageObject.h"
#include "PdfObjectWriter.h"
#include "canvas/TextMetrics.h"

#include <QFont>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPixmap>
#include <QTextLayout>

namespace tagloom {

namespace {

constexpr PdfPaintEngine::PaintEngineFeatures features = PdfPaintEngine::AllFeatures
    & ~(PdfPaintEngine::PorterDuff | PdfPaintEngine::PerspectiveTransform
        | PdfPaintEngine::ObjectBoundingModeGradients | PdfPaintEngine::ConicalGradientFill);

// The first character of the text whose glyph in `font` is `glyph`, or none.
char32_t characterOf(const QString &text, const QRawFont &font, quint32 glyph)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t character = text[i].unicode();
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            character = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        const QList<quint32> glyphs = font.glyphIndexesForString(QString::fromUcs4(&character, 1));
        if (!glyphs.isEmpty() && glyphs.first() == glyph) return character;
    }
    return 0;
}

} // namespace

PdfPaintEngine::PdfPaintEngine(
    PdfObjectWriter &objects, PdfGlyphFonts &fonts, const QSizeF &pagePoints, int dotsPerInch)
    : QPaintEngine(features)
    , objects_(objects)
    , fonts_(fonts)
    , pagePoints_(pagePoints)
    , dotsPerInch_(dotsPerInch)
{
}

bool PdfPaintEngine::begin(QPaintDevice *)
{
    setActive(true);
    return true;
}

bool PdfPaintEngine::end()
{
    setActive(false);
    return true;
}

void PdfPaintEngine::updateState(const QPaintEngineState &changed)
{
    const DirtyFlags dirty = changed.state();
    if (dirty & DirtyTransform) matrix_ = changed.transform();
    if (dirty & DirtyPen) pen_ = changed.pen();
    if (dirty & DirtyBrush) brush_ = changed.brush();
    if (dirty & DirtyOpacity) opacity_ = changed.opacity();
    if (dirty & DirtyHints)
        smooth_ = changed.renderHints().testFlag(QPainter::SmoothPixmapTransform);
    const auto clipTo = [this](const QPainterPath &path, Qt::ClipOperation operation) {
        if (operation == Qt::NoClip) {
            clipEnabled_ = false;
            clips_.clear();
        } else {
            if (operation == Qt::ReplaceClip) clips_.clear();
            clips_.append(matrix_.map(path));
            clipEnabled_ = true;
        }
        clipChanged_ = true;
    };
    if (dirty & DirtyClipPath) clipTo(changed.clipPath(), changed.clipOperation());
    if (dirty & DirtyClipRegion) {
        QPainterPath path;
        path.addRegion(changed.clipRegion());
        clipTo(path, changed.clipOperation());
    }
    if (dirty & DirtyClipEnabled) {
        clipEnabled_ = changed.isClipEnabled();
        clipChanged_ = true;
    }
}

void PdfPaintEngine::useClip()
{
    if (!clipChanged_) return;
    if (clipOpen_) content_ += "Q\n";
    clipOpen_ = clipEnabled_ && !clips_.isEmpty();
    if (clipOpen_) {
        content_ += "q\n";
        for (const QPainterPath &clip : std::as_const(clips_)) {
            appendPdfPath(content_, clip, 1, 3);
            content_ += clip.fillRule() == Qt::OddEvenFill ? "W* n\n" : "W n\n";
        }
    }
    clipChanged_ = false;
}

void PdfPaintEngine::openDrawing(qreal alpha)
{
    useClip();
    content_ += "q ";
    if (alpha < 1) content_ += alphaState(alpha) + " gs ";
    if (!matrix_.isIdentity()) appendMatrix(matrix_);
}

void PdfPaintEngine::appendMatrix(const QTransform &matrix)
{
    for (const double value :
        {matrix.m11(), matrix.m12(), matrix.m21(), matrix.m22(), matrix.dx(), matrix.dy()}) {
        appendPdfNumber(content_, value, 6);
        content_ += ' ';
    }
    content_ += "cm\n";
}

void PdfPaintEngine::appendColor(const QColor &color, const char *fillOrStroke)
{
    const QColor rgb = color.toRgb();
    for (const double value : {rgb.redF(), rgb.greenF(), rgb.blueF()}) {
        appendPdfNumber(content_, value, 4);
        content_ += ' ';
    }
    content_ += fillOrStroke;
    content_ += '\n';
}

bool PdfPaintEngine::fills() const
{
    return brush_.style() != Qt::NoBrush;
}

bool PdfPaintEngine::strokes() const
{
    return pen_.style() != Qt::NoPen && pen_.brush().style() != Qt::NoBrush;
}

void PdfPaintEngine::appendPen()
{
    appendColor(pen_.color(), "RG");
    appendPdfNumber(content_, pen_.isCosmetic() ? 0 : pen_.widthF(), 3);
    content_ += " w ";
    const int cap = pen_.capStyle() == Qt::RoundCap ? 1 : pen_.capStyle() == Qt::SquareCap ? 2 : 0;
    const int join = pen_.joinStyle() == Qt::RoundJoin ? 1
        : pen_.joinStyle() == Qt::BevelJoin            ? 2
                                                       : 0;
    content_ += QByteArray::number(cap) + " J " + QByteArray::number(join) + " j [";
    if (pen_.style() != Qt::SolidLine) {
        const qreal unit = pen_.isCosmetic() ? 1 : std::max<qreal>(pen_.widthF(), 1);
        for (const qreal dash : pen_.dashPattern()) {
            appendPdfNumber(content_, dash * unit, 3);
            content_ += ' ';
        }
    }
    content_ += "] 0 d\n";
}

void PdfPaintEngine::paintPath(bool oddEven, bool fill, bool stroke)
{
    if (fill && stroke)
        content_ += oddEven ? "B*\n" : "B\n";
    else if (fill)
        content_ += oddEven ? "f*\n" : "f\n";
    else
        content_ += "S\n";
}

void PdfPaintEngine::drawRects(const QRectF *rects, int rectCount)
{
    if (!fills() && !strokes()) return;
    const qreal alpha = opacity_ * (fills() ? brush_.color() : pen_.color()).alphaF();
    // Filled rectangles under a scale go onto the page as they land there, without a state of
    // their own: the bars of a barcode are many.
    const bool mapped = !strokes() && alpha >= 1 && matrix_.type() <= QTransform::TxScale;
    if (mapped)
        useClip();
    else
        openDrawing(alpha);
    if (fills()) appendColor(brush_.color(), "rg");
    if (strokes()) appendPen();
    for (int r = 0; r < rectCount; ++r) {
        const QRectF rect = mapped ? matrix_.mapRect(rects[r]) : rects[r];
        for (const double value : {rect.x(), rect.y(), rect.width(), rect.height()}) {
            appendPdfNumber(content_, value, 3);
            content_ += ' ';
        }
        content_ += "re\n";
    }
    paintPath(false, fills(), strokes());
    if (!mapped) content_ += "Q\n";
}

void PdfPaintEngine::drawPath(const QPainterPath &path)
{
    if (path.isEmpty() || (!fills() && !strokes())) return;
    openDrawing(opacity_ * (fills() ? brush_.color() : pen_.color()).alphaF());
    if (fills()) appendColor(brush_.color(), "rg");
    if (strokes()) appendPen();
    appendPdfPath(content_, path, 1, 3);
    paintPath(path.fillRule() == Qt::OddEvenFill, fills(), strokes());
    content_ += "Q\n";
}

void PdfPaintEngine::drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode)
{
    if (pointCount < 2) return;
    QPainterPath path(points[0]);
    for (int i = 1; i < pointCount; ++i)
        path.lineTo(points[i]);
    if (mode == PolylineMode) {
        const QBrush brush = brush_;
        brush_ = Qt::NoBrush;
        drawPath(path);
        brush_ = brush;
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    drawPath(path);
}

void PdfPaintEngine::drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &sr)
{
    drawImage(r, pixmap.toImage(), sr, Qt::AutoColor);
}

void PdfPaintEngine::drawImage(
    const QRectF &r, const QImage &image, const QRectF &sr, Qt::ImageConversionFlags)
{
    if (image.isNull() || r.isEmpty()) return;
    const QRect source = sr.toAlignedRect() & image.rect();
    const QByteArray name = imageName(source == image.rect() ? image : image.copy(source));
    openDrawing(opacity_);
    // The image's unit square onto `r`, its first row at the top.
    appendMatrix(QTransform(r.width(), 0, 0, -r.height(), r.left(), r.bottom()));
    content_ += name + " Do Q\n";
}

QByteArray PdfPaintEngine::imageName(const QImage &image)
{
    int &object = images_[image.cacheKey()];
    if (object == 0) object = writePdfImage(objects_, image, smooth_);
    pageImages_.insert(object);
    return "/Im" + QByteArray::number(object);
}

QByteArray PdfPaintEngine::alphaState(qreal alpha)
{
    const int level = qRound(std::clamp<qreal>(alpha, 0, 1) * 255);
    int &object = states_[level];
    if (object == 0) {
        QByteArray value;
        appendPdfNumber(value, level / 255.0, 4);
        object = objects_.write("<< /Type /ExtGState /ca " + value + " /CA " + value + " >>");
    }
    pageStates_.insert(object);
    return "/Gs" + QByteArray::number(object);
}

namespace {

// Glyphs of one font, placed from the start of the text's baseline.
struct GlyphRun
{
    QRawFont font;
    QList<quint32> glyphs;
    QList<QPointF> positions;
};

// The glyphs of a text that needs no shaping, placed by the font's own advances: many times
// faster than laying it out again. Nothing when a character needs shaping or is not in the face,
// or when the advances do not add up to the width the painter laid the text out in (kerning
// that only shaping applies): the text is laid out again then.
std::optional<GlyphRun> quickRun(const QString &text, const QFont &font, qreal width)
{
    for (const QChar character : text)
        if (!standsAlone(character.unicode())) return std::nullopt;
    GlyphRun run {QRawFont::fromFont(font), {}, {}};
    run.glyphs = run.font.glyphIndexesForString(text);
    if (run.glyphs.size() != text.size() || run.glyphs.contains(0u)) return std::nullopt;
    const QList<QPointF> advances
        = run.font.advancesForGlyphIndexes(run.glyphs, QRawFont::KernedAdvances);
    qreal x = 0;
    for (const QPointF &advance : advances) {
        run.positions.append(QPointF(x, 0));
        x += advance.x();
    }
    // Qt places glyphs in 64ths of a pixel.
    if (std::abs(x - width) > 0.05) return std::nullopt;
    return run;
}

// The text laid out again as the painter laid it out, from the top of its line.
std::vector<GlyphRun> laidOut(const QString &text, const QFont &font, qreal *ascent)
{
    // The font is the painter's, sized for this device already: passing the device would make a
    // copy that looks its face up afresh.
    QTextLayout layout(text, font);
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();
    *ascent = line.isValid() ? line.ascent() : 0;
    std::vector<GlyphRun> runs;
    for (const QGlyphRun &run : layout.glyphRuns())
        runs.push_back({run.rawFont(), run.glyphIndexes(), run.positions()});
    return runs;
}

} // namespace

const PdfPaintEngine::ShapedText &PdfPaintEngine::shaped(const QTextItem &item)
{
    const QString text = item.text();
    const ShapedKey key {item.font(), text};
    if (const ShapedText *known = shapedTexts_.object(key)) return *known;

    auto *made = new ShapedText;
    std::vector<GlyphRun> runs;
    if (std::optional<GlyphRun> quick = item.renderFlags().testFlag(QTextItem::RightToLeft)
            ? std::nullopt
            : quickRun(text, item.font(), item.width()))
        runs.push_back(std::move(*quick));
    else {
        runs = laidOut(text, item.font(), &made->ascent);
        made->actualText = pdfTextString(text);
    }
    QByteArray &out = made->operators;
    for (const GlyphRun &run : runs) {
        const int face = fonts_.face(run.font);
        const double size = run.font.pixelSize();
        // Glyphs go in strings of one font and one baseline, placed by the fonts' advances and,
        // where the layout placed them otherwise, an adjustment in thousandths of the size.
        int current = 0;
        double y = 0;
        double nextX = 0; // where the string's next glyph lands by its advances
        bool open = false;
        for (qsizetype g = 0; g < run.glyphs.size(); ++g) {
            const PdfGlyphFonts::Code code = fonts_.code(
                face, run.glyphs[g], [&] { return characterOf(text, run.font, run.glyphs[g]); });
            const QPointF at = run.positions[g];
            const bool newFont = code.font != current;
            if (newFont || !open || std::abs(at.y() - y) > 0.001) {
                if (open) out += "]TJ\n";
                if (newFont) {
                    current = code.font;
                    made->fonts.append(current);
                    out += "/F" + QByteArray::number(current) + ' ';
                    appendPdfNumber(out, size, 3);
                    out += " Tf\n";
                }
                // Glyph space is y up, the page's y down.
                out += "1 0 0 -1 ";
                appendPdfNumber(out, at.x(), 3);
                out += ' ';
                appendPdfNumber(out, at.y(), 3);
                out += " Tm [";
                y = at.y();
                nextX = at.x();
                open = true;
            }
            const double adjustment = (nextX - at.x()) * PdfGlyphFonts::unitsPerEm / size;
            if (std::abs(adjustment) >= 0.05) appendPdfNumber(out, adjustment, 1);
            out += '<';
            out += "0123456789abcdef"[code.code >> 4];
            out += "0123456789abcdef"[code.code & 15];
            out += '>';
            nextX = at.x() + code.advance * size / PdfGlyphFonts::unitsPerEm;
        }
        if (open) out += "]TJ\n";
    }
    shapedTexts_.insert(key, made);
    return *made;
}

void PdfPaintEngine::drawTextItem(const QPointF &p, const QTextItem &textItem)
{
    if (textItem.text().isEmpty() || pen_.style() == Qt::NoPen) return;
    const ShapedText &shape = shaped(textItem);
    if (shape.operators.isEmpty()) return;
    for (const int font : shape.fonts)
        pageFonts_.insert(font);
    openDrawing(opacity_ * pen_.color().alphaF());
    appendMatrix(QTransform::fromTranslate(p.x(), p.y() - shape.ascent));
    appendColor(pen_.color(), "rg");
    if (shape.actualText.isEmpty())
        content_ += "BT\n" + shape.operators + "ET Q\n";
    else
        content_ += "/Span << /ActualText " + shape.actualText + " >> BDC BT\n" + shape.operators
            + "ET EMC Q\n";
}

void PdfPaintEngine::writePage(int page, int parent)
{
    if (clipOpen_) content_ += "Q\n";
    clipOpen_ = false;
    clipChanged_ = true;
    // Device pixels onto points, y down.
    QByteArray base;
    const double scale = 72.0 / dotsPerInch_;
    appendPdfNumber(base, scale, 8);
    base += " 0 0 ";
    appendPdfNumber(base, -scale, 8);
    base += " 0 ";
    appendPdfNumber(base, pagePoints_.height(), 4);
    base += " cm\n";
    const int contents = objects_.writeStream({}, base + content_);
    // The next page takes about as much: grown from nothing it was copied over and over.
    const qsizetype used = content_.size();
    content_ = QByteArray();
    content_.reserve(used + used / 4);

    const auto names = [](const QSet<int> &objects, const char *prefix) {
        QByteArray out;
        for (const int object : objects)
            out += prefix + QByteArray::number(object) + ' ' + QByteArray::number(object) + " 0 R ";
        return out;
    };
    QByteArray size;
    appendPdfNumber(size, pagePoints_.width(), 4);
    size += ' ';
    appendPdfNumber(size, pagePoints_.height(), 4);
    objects_.write("<< /Type /Page /Parent " + QByteArray::number(parent) + " 0 R /MediaBox [0 0 "
            + size + "] /Contents " + QByteArray::number(contents) + " 0 R /Resources << /Font << "
            + names(pageFonts_, "/F") + ">> /XObject << " + names(pageImages_, "/Im")
            + ">> /ExtGState << " + names(pageStates_, "/Gs") + ">> >> >>",
        page);
    pageFonts_.clear();
    pageImages_.clear();
    pageStates_.clear();
}

} // namespace tagloom
