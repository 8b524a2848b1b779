// The label size dialog: the two sides in millimetres, the lock on the picture's proportions, and
// applying the size as one step of the history.
#include "LabelSizeDialog.h"

#include "Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/Twips.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>

namespace tagloom {

namespace {

QDoubleSpinBox *addMillimetres(QFormLayout *form, const QString &name, const QString &label)
{
    auto *box = new QDoubleSpinBox;
    box->setObjectName(name);
    box->setRange(1, 2000);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" 毫米"));
    form->addRow(label, box);
    return box;
}

} // namespace

LabelSizeDialog::LabelSizeDialog(Workspace &workspace, QWidget *parent)
    : QDialog(parent)
    , workspace_(workspace)
{
    setObjectName(QStringLiteral("LabelSizeDialog"));
    setWindowTitle(QStringLiteral("标签尺寸"));
    auto *form = new QFormLayout(this);
    width_ = addMillimetres(form, QStringLiteral("LabelWidth"), QStringLiteral("宽"));
    height_ = addMillimetres(form, QStringLiteral("LabelHeight"), QStringLiteral("高"));
    keepProportions_ = new QCheckBox(QStringLiteral("保持图片的比例"), this);
    keepProportions_->setObjectName(QStringLiteral("KeepProportions"));
    form->addRow(keepProportions_);
    typedLast_ = width_;
    byResolution_ = new QPushButton(QStringLiteral("按图片分辨率"), this);
    byResolution_->setObjectName(QStringLiteral("ByResolution"));
    form->addRow(byResolution_);
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setText(QStringLiteral("按像素（默认）"));
    form->addRow(buttons);

    const LabelDesign &design = workspace_.canvas();
    showSize(design.printedSize());
    keepProportions_->setChecked(!design.isStretched());
    for (QDoubleSpinBox *box : {width_, height_})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this, box] { keepProportions(box); });
    connect(keepProportions_, &QCheckBox::toggled, this, [this] { keepProportions(typedLast_); });
    const std::optional<QSizeF> byResolution
        = design.picture() ? sizeByResolution(*design.picture()) : std::nullopt;
    byResolution_->setEnabled(byResolution.has_value());
    if (byResolution)
        connect(byResolution_, &QPushButton::clicked, this,
            [this, size = *byResolution] { showSize(size); });
    connect(buttons, &QDialogButtonBox::accepted, this,
        [this] { apply(chosenSize(), QStringLiteral("标签尺寸")); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(buttons->button(QDialogButtonBox::RestoreDefaults), &QPushButton::clicked, this,
        [this] { apply(std::nullopt, QStringLiteral("标签尺寸按像素")); });
}

std::optional<QSizeF> LabelSizeDialog::sizeByResolution(const QImage &picture)
{
    // Qt gives a picture without a resolution of its own the screen's conventional one.
    const QImage stated(1, 1, QImage::Format_Mono);
    if (picture.dotsPerMeterX() <= 0 || picture.dotsPerMeterY() <= 0
        || (picture.dotsPerMeterX() == stated.dotsPerMeterX()
            && picture.dotsPerMeterY() == stated.dotsPerMeterY()))
        return std::nullopt;
    const double twipsPerMetre = twipsPerMillimetre * 1000;
    return QSizeF(picture.width() * twipsPerMetre / picture.dotsPerMeterX(),
        picture.height() * twipsPerMetre / picture.dotsPerMeterY());
}

void LabelSizeDialog::showSize(const QSizeF &twips)
{
    const QSignalBlocker blockWidth(width_);
    const QSignalBlocker blockHeight(height_);
    width_->setValue(twips.width() / twipsPerMillimetre);
    height_->setValue(twips.height() / twipsPerMillimetre);
}

void LabelSizeDialog::keepProportions(QDoubleSpinBox *typed)
{
    typedLast_ = typed;
    if (!keepProportions_->isChecked()) return;
    const QSizeF size = chosenSize() / twipsPerMillimetre;
    QDoubleSpinBox *other = typed == width_ ? height_ : width_;
    const QSignalBlocker blocker(other);
    other->setValue(typed == width_ ? size.height() : size.width());
}

QSizeF LabelSizeDialog::chosenSize() const
{
    const QSizeF typed(width_->value(), height_->value());
    const LabelDesign &design = workspace_.canvas();
    if (!keepProportions_->isChecked()) return typed * twipsPerMillimetre;
    // Only the side typed last is as typed: the other follows to the picture's proportions, not
    // to their value rounded in its box.
    const double heightPerWidth = double(design.scaleHeight()) / design.scaleWidth();
    return (typedLast_ == width_ ? QSizeF(typed.width(), typed.width() * heightPerWidth)
                                 : QSizeF(typed.height() / heightPerWidth, typed.height()))
        * twipsPerMillimetre;
}

void LabelSizeDialog::apply(const std::optional<QSizeF> &size, const QString &step)
{
    LabelDesign &design = workspace_.canvas();
    workspace_.history().record(design, step, [&design, size] { design.setPhysicalSize(size); });
    accept();
}

} // namespace tagloom
