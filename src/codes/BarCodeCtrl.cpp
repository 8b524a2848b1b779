// The label's Code 128 barcode component.
#include "codes/BarCodeCtrl.h"

#include <QPainter>

namespace tagloom {

void BarCodeCtrl::setValue(const QString &text)
{
    m_value = text;
    m_problem.clear();
    m_symbol.reset();
    if (!text.isEmpty()) m_symbol = Code128Symbol::encode(text, &m_problem);
}

bool BarCodeCtrl::canEncode(const QString &text, QString *reason)
{
    return text.isEmpty() || Code128Symbol::encode(text, reason).has_value();
}

void BarCodeCtrl::paint(
    QPainter &painter, const QRectF &componentRect, const QRectF &visibleStrip) const
{
    painter.fillRect(componentRect, Qt::white);
    const QRectF area = visibleStrip.intersected(componentRect);
    if (m_symbol && !area.isEmpty()) m_symbol->paint(painter, area);
}

} // namespace tagloom
