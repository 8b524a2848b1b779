// The label's physical size: width and height in millimetres, typed or taken from the picture's
// own resolution. Printing and PDF then scale the whole label to it; the canvas stays as it is.
#pragma once

#include <QDialog>
#include <QImage>
#include <optional>

class QDoubleSpinBox;
class QPushButton;

namespace tagloom {

class Workspace;

class LabelSizeDialog : public QDialog
{
    Q_OBJECT

public:
    LabelSizeDialog(Workspace &workspace, QWidget *parent);

    // The picture's own resolution gives its size in twips; nothing when the file states none.
    static std::optional<QSizeF> sizeByResolution(const QImage &picture);

private:
    void showSize(const QSizeF &twips);
    // Sets the size as one step of the design's history, or none (15 twips a picture pixel).
    void apply(const std::optional<QSizeF> &size, const QString &step);

    Workspace &workspace_;
    QDoubleSpinBox *width_;
    QDoubleSpinBox *height_;
    QPushButton *byResolution_;
};

} // namespace tagloom
