// A canvas item's mouse surface: it passes its mouse events on to the canvas window.
#include "CanvasItemWidget.h"

#include <QMouseEvent>

namespace tagloom {

CanvasItemWidget::CanvasItemWidget(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
}

void CanvasItemWidget::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event);
}

void CanvasItemWidget::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event);
}

void CanvasItemWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit doubleClicked(event);
}

} // namespace tagloom
