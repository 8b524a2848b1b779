// Picture1: paints the label design at the screen's scale.
#include "CanvasWidget.h"

#include "LabelDesign.h"
#include "LabelPainter.h"

#include <QPainter>

namespace tagloom {

CanvasWidget::CanvasWidget(LabelDesign &design, QWidget *parent)
    : QWidget(parent)
    , design_(&design)
    , view_(logicalDpiX(), logicalDpiY())
{
    setObjectName(QStringLiteral("Picture1"));
}

void CanvasWidget::paintEvent(QPaintEvent *)
{
    if (!design_) return;
    QPainter painter(this);
    LabelPainter::useTwips(painter);
    painter.scale(view_.factorX(), view_.factorY());
    LabelPainter::paint(painter, *design_);
}

} // namespace tagloom
