// The label's barcode component.
#include "BarCodeCtrl.h"

#include <QPainter>

namespace tagloom {

void BarCodeCtrl::setType(BarcodeType type)
{
    if (type == type_) return;
    type_ = type;
    setValue(value_);
}

void BarCodeCtrl::setValue(const QString &text)
{
    value_ = text;
    problem_.clear();
    symbol_.reset();
    if (!text.isEmpty()) symbol_ = BarcodeSymbol::encode(type_, text, &problem_);
}

bool BarCodeCtrl::canEncode(const QString &text, QString *refusal) const
{
    return text.isEmpty() || BarcodeSymbol::encode(type_, text, refusal).has_value();
}

void BarCodeCtrl::paint(QPainter &painter, const QRectF &componentRect, const QRectF &visibleStrip,
    const std::optional<DotGrid> &dots) const
{
    painter.fillRect(componentRect, Qt::white);
    const QRectF area = visibleStrip.intersected(componentRect);
    if (symbol_ && !area.isEmpty()) symbol_->paint(painter, area, dots);
}

} // namespace tagloom
