// The label's Code 128 barcode component.
#include "BarCodeCtrl.h"

#include <QPainter>

namespace tagloom {

void BarCodeCtrl::setValue(const QString &text)
{
    value_ = text;
    problem_.clear();
    symbol_.reset();
    if (!text.isEmpty()) symbol_ = Code128Symbol::encode(text, &problem_);
}

bool BarCodeCtrl::canEncode(const QString &text, QString *reason)
{
    return text.isEmpty() || Code128Symbol::encode(text, reason).has_value();
}

void BarCodeCtrl::paint(QPainter &painter, const QRectF &componentRect, const QRectF &visibleStrip,
    const std::optional<DotGrid> &dots) const
{
    painter.fillRect(componentRect, Qt::white);
    const QRectF area = visibleStrip.intersected(componentRect);
    if (symbol_ && !area.isEmpty()) symbol_->paint(painter, area, dots);
}

std::optional<qreal> BarCodeCtrl::barsWidth(const QRectF &componentRect, const QRectF &visibleStrip,
    const std::optional<DotGrid> &dots) const
{
    const QRectF area = visibleStrip.intersected(componentRect);
    if (!symbol_ || area.isEmpty()) return std::nullopt;
    return symbol_->barsWidth(area, dots);
}

} // namespace tagloom
