// The font dialog of the canvas: face, size in points (fractions allowed), bold, italic, underline,
// strikethrough and text colour, with a preview. Qt's own font dialog has no colour.
#pragma once

#include "app/DialogProvider.h"

#include <QDialog>

class QCheckBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace tagloom {

class FontDialog : public QDialog
{
    Q_OBJECT

public:
    FontDialog(const FontChoice &initial, QWidget *parent);

    FontChoice choice() const;

private:
    void setColor(const QColor &color);
    void updatePreview();

    QFontComboBox *family_;
    QString familyName_;
    QDoubleSpinBox *size_;
    QCheckBox *bold_;
    QCheckBox *italic_;
    QCheckBox *underline_;
    QCheckBox *strikeout_;
    QPushButton *colorButton_;
    QLabel *preview_;
    QColor color_;
};

} // namespace tagloom
