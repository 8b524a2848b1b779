// One encoded Code 128 symbol and its drawing.
#include "Code128Symbol.h"

#include "ZintSymbol.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace tagloom {

namespace {

constexpr int quietModules = 10; // on each side, as scanners expect for Code 128

// The text takes at most this share of the height, so the bars always keep 70 % of it.
constexpr qreal maxTextShare = 0.3;
// Height of the text band per unit of font pixel size: the line plus a gap above it.
constexpr qreal textBandPerPixel = 1.3;
constexpr qreal largestTextTwips = 240; // 12 pt: larger text only crowds the label
constexpr qreal smallestTextTwips = 100; // 5 pt: smaller text is no use to a reader

// Where the modules go across the area: the left edge of the first module and the module width.
struct ModuleGrid
{
    qreal left;
    qreal moduleWidth;
};

// Centres the modules in the area, on whole dots when there is a grid and a module gets one.
ModuleGrid fitModules(const QRectF &area, int modules, const std::optional<DotGrid> &dots)
{
    const int dotsPerModule = dots ? dots->dotsAcross(area.width()) / modules : 0;
    if (dotsPerModule < 1) {
        const qreal width = area.width() / modules;
        return {area.left() + (area.width() - width * modules) / 2, width};
    }
    const qreal width = dots->sizeOf(dotsPerModule, 0).width();
    const qreal left = area.left() + (area.width() - width * modules) / 2;
    return {dots->snap(QPointF(left, area.top())).x(), width};
}

// Pixel sizes are in painter units, so the font scales with the twips transform.
QFont textFont(qreal pixelSize)
{
    QFont font;
    font.setPixelSize(static_cast<int>(pixelSize));
    return font;
}

} // namespace

std::optional<Code128Symbol> Code128Symbol::encode(const QString &text, QString *reason)
{
    const auto setReason = [reason](const QString &why) {
        if (reason) *reason = why;
    };
    // zint would take the UTF-8 bytes of other characters as Latin-1 and encode garbage.
    const bool latin1
        = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; });
    if (!latin1) {
        setReason(QStringLiteral("条形码只能包含西文字符"));
        return std::nullopt;
    }

    ZintSymbol zint(BARCODE_CODE128);
    zint->input_mode = DATA_MODE;
    if (!zint.encode(text.toLatin1())) {
        setReason(zint.status() == ZINT_ERROR_TOO_LONG ? QStringLiteral("条形码内容太长")
                                                       : QStringLiteral("无法生成条形码"));
        return std::nullopt;
    }

    Code128Symbol symbol;
    for (int column = 0; column < zint.columns();) {
        const int start = column;
        const bool dark = zint.isDark(0, column);
        while (column < zint.columns() && zint.isDark(0, column) == dark)
            ++column;
        if (dark) symbol.bars_.push_back({quietModules + start, column - start});
    }
    symbol.moduleCount_ = zint.columns() + 2 * quietModules;
    symbol.humanText_ = zint.humanText();
    return symbol;
}

void Code128Symbol::paint(
    QPainter &painter, const QRectF &area, const std::optional<DotGrid> &dots) const
{
    const ModuleGrid grid = fitModules(area, moduleCount_, dots);
    const qreal symbolWidth = grid.moduleWidth * moduleCount_;

    const qreal textPixels = textPixelSize(area.height(), symbolWidth);
    const bool withText = textPixels > 0;
    const qreal barHeight = area.height() - (withText ? textPixels * textBandPerPixel : 0);

    QList<QRectF> bars;
    bars.reserve(qsizetype(bars_.size()));
    for (const Bar &bar : bars_)
        bars.append(QRectF(grid.left + bar.start * grid.moduleWidth, area.top(),
            bar.width * grid.moduleWidth, barHeight));
    painter.save();
    if (painter.paintEngine()->type() == QPaintEngine::Pdf) {
        // In one call a PDF takes the bars as one shape, not each with a drawing state of its own.
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        painter.drawRects(bars.constData(), int(bars.size()));
    } else {
        for (const QRectF &bar : bars)
            painter.fillRect(bar, Qt::black);
    }
    if (withText) {
        painter.setFont(textFont(textPixels));
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(grid.left, area.top() + barHeight, symbolWidth, area.height() - barHeight),
            Qt::AlignHCenter | Qt::AlignBottom | Qt::TextSingleLine, humanText_);
    }
    painter.restore();
}

qreal Code128Symbol::textPixelSize(qreal areaHeight, qreal symbolWidth) const
{
    qreal pixels = std::min(largestTextTwips, areaHeight * maxTextShare / textBandPerPixel);
    if (pixels < smallestTextTwips) return 0;
    const qreal width = QFontMetricsF(textFont(pixels)).horizontalAdvance(humanText_);
    if (width > symbolWidth) pixels *= symbolWidth / width;
    return pixels < smallestTextTwips ? 0 : pixels;
}

} // namespace tagloom
