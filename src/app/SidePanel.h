// The strip to the right of the main window's steps: what the program offers beyond them, and
// the status line that says how the last command ended. It lies outside the steps' area, where
// neither the canvas (docked to the left) nor the data window (docked below) covers it.
#pragma once

#include "canvas/Twips.h"

#include <QFrame>

class QLabel;
class QVBoxLayout;

namespace tagloom {

class SidePanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr Twips width = 2700;

    explicit SidePanel(QWidget *parent);

    // Adds a section above the status line.
    void addSection(QWidget *section);
    void showStatus(const QString &text);
    QString status() const;

private:
    QVBoxLayout *sections_;
    QLabel *statusLine_;
};

} // namespace tagloom
