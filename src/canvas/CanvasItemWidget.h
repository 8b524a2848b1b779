// The mouse surface of one canvas item. It draws nothing itself (the canvas draws the whole label
// through the label painter) and hands its mouse events to the canvas window.
#pragma once

#include <QWidget>

namespace tagloom {

class CanvasItemWidget : public QWidget
{
    Q_OBJECT

public:
    CanvasItemWidget(const QString &name, QWidget *parent);

signals:
    // Positions are in pixels relative to this widget; buttons as Qt reports them.
    void pressed(QMouseEvent *event);
    void moved(QMouseEvent *event);
    void doubleClicked(QMouseEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

} // namespace tagloom
