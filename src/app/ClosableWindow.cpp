// A window that asks its guard before closing and reports the close.
#include "ClosableWindow.h"

#include <QCloseEvent>

namespace tagloom {

ClosableWindow::ClosableWindow(Qt::WindowFlags flags)
    : QWidget(nullptr, flags)
{
}

void ClosableWindow::closeEvent(QCloseEvent *event)
{
    if (mayClose_ && !mayClose_()) {
        event->ignore();
        return;
    }
    event->accept();
    emit closed();
}

} // namespace tagloom
