// The width of a field or text item's box and how its text fits it: wrapped, or shrunk down to a
// smallest size first. The width is in millimetres as the label prints.
#pragma once

#include "TextBox.h"

#include <QDialog>

class QDoubleSpinBox;
class QRadioButton;

namespace tagloom {

class TextBoxDialog : public QDialog
{
    Q_OBJECT

public:
    // `printedScale`: the printed twips of one twip of the design.
    TextBoxDialog(const TextBox &box, double printedScale, QWidget *parent);

signals:
    void boxChosen(const tagloom::TextBox &box);

private:
    QDoubleSpinBox *width_;
    QRadioButton *wrap_;
    QRadioButton *shrink_;
    QDoubleSpinBox *smallest_;
};

} // namespace tagloom
