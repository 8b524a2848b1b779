// The label's physical size: width and height in millimetres, typed or taken from the picture's
// own resolution. Printing and PDF then scale the whole label to it; the canvas stays as it is.
// The picture's proportions are kept while the lock is on, as it is unless the label is
// stretched already: typing one side sets the other.
#pragma once

#include <QDialog>
#include <QImage>
#include <optional>

class QCheckBox;
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
    // The other side to the picture's proportions, after `typed` changed.
    void keepProportions(QDoubleSpinBox *typed);
    // The size to apply: as typed, or with the side not typed last to the proportions exactly.
    QSizeF chosenSize() const;
    // Sets the size as one step of the design's history, or none (15 twips a picture pixel).
    void apply(const std::optional<QSizeF> &size, const QString &step);

    Workspace &workspace_;
    QDoubleSpinBox *width_;
    QDoubleSpinBox *height_;
    QPushButton *byResolution_;
    QCheckBox *keepProportions_;
    QDoubleSpinBox *typedLast_;
};

} // namespace tagloom
