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
    const std::optional<DotGrid> printerDots = printerDotsPerInch_
        ? std::optional(LabelPainter::printerGrid(*design_, *printerDotsPerInch_))
        : std::nullopt;
    if (row_)
        LabelPainter::paint(painter, *design_, *row_, printerDots);
    else
        LabelPainter::paint(painter, *design_, printerDots);
}

void CanvasWidget::setPrinterDotsPerInch(const std::optional<double> &dotsPerInch)
{
    printerDotsPerInch_ = dotsPerInch;
    update();
}

void CanvasWidget::showRow(std::optional<LabelRow> row)
{
    row_ = std::move(row);
    for (QWidget *item : findChildren<QWidget *>())
        item->setAttribute(Qt::WA_TransparentForMouseEvents, row_.has_value());
    update();
}

} // namespace tagloom
