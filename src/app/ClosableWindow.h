// A window whose closing discards what it shows: it reports the close, and a guard may refuse it
// while a long command still works on its contents.
#pragma once

#include <QWidget>
#include <functional>

namespace tagloom {

class ClosableWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ClosableWindow(Qt::WindowFlags flags
        = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    // While the guard answers false, closing the window is refused.
    void setCloseGuard(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<bool()> mayClose_;
};

} // namespace tagloom
