// One encoded barcode of any type and its drawing.
#include "BarcodeSymbol.h"

#include "BarcodeInput.h"
#include "ZintSymbol.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tagloom {

namespace {

// The text takes at most this share of the height, so the bars always keep 70 % of it.
constexpr qreal maxTextShare = 0.3;
// Height of the text band per unit of font pixel size: the line plus a gap above it.
constexpr qreal textBandPerPixel = 1.3;
constexpr qreal largestTextTwips = 240; // 12 pt: larger text only crowds the label
constexpr qreal smallestTextTwips = 100; // 5 pt: smaller text is no use to a reader
constexpr qreal smallTextShare = 0.75; // UPC-A's outer digits

// A part of the human-readable text and the modules it stands below, counted from the first bar.
struct TextPart
{
    int first; // character
    int count; // -1: to the end
    int start;
    int end;
    int alignment;
    bool small = false;
};

struct Span
{
    int start;
    int end;
};

// Where each type's standard wants its quiet zones, guard bars and text, in modules.
struct Layout
{
    int quietBefore;
    int quietAfter;
    bool matrix = false;
    std::vector<Span> guards;
    std::vector<TextPart> text; // empty: the whole text centred below the whole symbol
};

Layout layoutOf(BarcodeType type)
{
    constexpr int centred = Qt::AlignHCenter;
    switch (type) {
    case BarcodeType::Ean13:
        return {11, 7, false, {{0, 3}, {45, 50}, {92, 95}},
            {{0, 1, -11, -1, Qt::AlignRight}, {1, 6, 3, 45, centred}, {7, 6, 50, 92, centred}}};
    case BarcodeType::Ean8:
        return {7, 7, false, {{0, 3}, {31, 36}, {64, 67}},
            {{0, 4, 3, 31, centred}, {4, 4, 36, 64, centred}}};
    case BarcodeType::UpcA:
        return {9, 9, false, {{0, 10}, {45, 50}, {85, 95}},
            {{0, 1, -9, -1, Qt::AlignRight, true}, {1, 5, 10, 45, centred}, {6, 5, 50, 85, centred},
                {11, 1, 96, 104, Qt::AlignLeft, true}}};
    case BarcodeType::DataMatrix:
        return {1, 1, true, {}, {}};
    case BarcodeType::Pdf417:
        return {2, 2, true, {}, {}};
    default:
        return {10, 10, false, {}, {}}; // as scanners expect for Code 128, 39 and ITF
    }
}

// Pixel sizes are in painter units, so the font scales with the twips transform.
QFont textFont(qreal pixelSize)
{
    QFont font;
    font.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
    return font;
}

} // namespace

std::optional<BarcodeSymbol> BarcodeSymbol::encode(
    BarcodeType type, const QString &text, QString *refusal)
{
    const std::optional<BarcodeInput> input = BarcodeInput::of(type, text, refusal);
    if (!input) return std::nullopt;
    ZintSymbol zint = input->symbol();
    if (!zint.encode(input->bytes())) {
        if (refusal) *refusal = input->refusal(zint);
        return std::nullopt;
    }

    const Layout layout = layoutOf(type);
    const int quiet = layout.quietBefore;
    const auto isGuard = [&layout](int module) {
        return std::any_of(layout.guards.cbegin(), layout.guards.cend(),
            [module](const Span &span) { return module >= span.start && module < span.end; });
    };
    BarcodeSymbol symbol;
    symbol.columns_ = quiet + zint.columns() + layout.quietAfter;
    int top = layout.matrix ? quiet : 0;
    for (int row = 0; row < (layout.matrix ? zint.rows() : 1); ++row) {
        const float zintHeight
            = zint.rowHeight(row) > 0 ? zint.rowHeight(row) : zint.height() / float(zint.rows());
        Row made {top, std::max(1, static_cast<int>(std::lround(zintHeight))), {}};
        for (int column = 0; column < zint.columns();) {
            const int start = column;
            const bool dark = zint.isDark(row, column);
            while (column < zint.columns() && zint.isDark(row, column) == dark)
                ++column;
            if (dark) made.bars.push_back({quiet + start, column - start, isGuard(start)});
        }
        top += made.height;
        symbol.rows_.push_back(std::move(made));
    }
    if (layout.matrix) {
        symbol.matrixRows_ = top + layout.quietAfter;
        return symbol;
    }

    const QString human = zint.humanText();
    if (layout.text.empty() && !human.isEmpty())
        symbol.texts_.push_back({human, 0, symbol.columns_, Qt::AlignHCenter, false});
    for (const TextPart &part : layout.text)
        symbol.texts_.push_back({human.mid(part.first, part.count), quiet + part.start,
            quiet + part.end, part.alignment, part.small});
    return symbol;
}

int BarcodeSymbol::dotsPerModule(const QSizeF &area, const DotGrid &dots) const
{
    const int across = dots.dotsAcross(area.width()) / columns_;
    return isMatrix() ? std::min(across, dots.dotsDown(area.height()) / matrixRows_) : across;
}

BarcodeSymbol::Placement BarcodeSymbol::place(
    const QRectF &area, const std::optional<DotGrid> &dots) const
{
    const int dotsEach = dots ? dotsPerModule(area.size(), *dots) : 0;
    QSizeF module;
    if (dotsEach >= 1)
        module = dots->sizeOf(dotsEach, dotsEach);
    else if (isMatrix())
        module = QSizeF(1, 1) * std::min(area.width() / columns_, area.height() / matrixRows_);
    else
        module = QSizeF(area.width() / columns_, area.height());
    // Centred across; a matrix symbol also down, a linear one's bars from the top.
    const QSizeF size(module.width() * columns_, module.height() * matrixRows_);
    QPointF topLeft(area.left() + (area.width() - size.width()) / 2,
        isMatrix() ? area.top() + (area.height() - size.height()) / 2 : area.top());
    if (dotsEach >= 1) {
        const QPointF snapped = dots->snap(topLeft);
        topLeft = isMatrix() ? snapped : QPointF(snapped.x(), topLeft.y());
    }
    return {topLeft, module};
}

void BarcodeSymbol::paint(
    QPainter &painter, const QRectF &area, const std::optional<DotGrid> &dots) const
{
    const Placement at = place(area, dots);
    if (!isMatrix()) {
        paintLinear(painter, area, at);
        return;
    }
    for (const Row &row : rows_) {
        for (const Bar &bar : row.bars)
            painter.fillRect(QRectF(at.topLeft.x() + bar.start * at.module.width(),
                                 at.topLeft.y() + row.top * at.module.height(),
                                 bar.width * at.module.width(), row.height * at.module.height()),
                Qt::black);
    }
}

void BarcodeSymbol::paintLinear(QPainter &painter, const QRectF &area, const Placement &at) const
{
    const qreal moduleWidth = at.module.width();
    const qreal textPixels = textPixelSize(area.height(), moduleWidth);
    const qreal band = textPixels * textBandPerPixel;
    const qreal barHeight = area.height() - band;
    // Guard bars reach halfway down the text band, between the digits.
    const qreal guardHeight = barHeight + band / 2;
    for (const Bar &bar : rows_.front().bars)
        painter.fillRect(QRectF(at.topLeft.x() + bar.start * moduleWidth, area.top(),
                             bar.width * moduleWidth, bar.guard ? guardHeight : barHeight),
            Qt::black);
    if (textPixels <= 0) return;
    painter.save();
    painter.setPen(Qt::black);
    for (const Text &text : texts_) {
        painter.setFont(textFont(textPixels * (text.small ? smallTextShare : 1)));
        painter.drawText(QRectF(at.topLeft.x() + text.start * moduleWidth, area.top() + barHeight,
                             (text.end - text.start) * moduleWidth, band),
            text.alignment | Qt::AlignBottom | Qt::TextSingleLine | Qt::TextDontClip, text.text);
    }
    painter.restore();
}

qreal BarcodeSymbol::textPixelSize(qreal areaHeight, qreal moduleWidth) const
{
    qreal pixels = std::min(largestTextTwips, areaHeight * maxTextShare / textBandPerPixel);
    if (pixels < smallestTextTwips || texts_.empty()) return 0;
    // As large as every part fits its room.
    for (const Text &text : texts_) {
        const qreal share = text.small ? smallTextShare : 1;
        const qreal width = QFontMetricsF(textFont(pixels * share)).horizontalAdvance(text.text);
        const qreal room = (text.end - text.start) * moduleWidth;
        if (width > room) pixels *= room / width;
    }
    return pixels < smallestTextTwips ? 0 : pixels;
}

} // namespace tagloom
