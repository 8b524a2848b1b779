#include "LabelSizeDialog.h"

#include "Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/Twips.h"

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
    byResolution_ = new QPushButton(QStringLiteral("按图片分辨率"), this);
    byResolution_->setObjectName(QStringLiteral("ByResolution"));
    form->addRow(byResolution_);
    auto *buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults, this);
    buttons->button(QDialogButtonBox::RestoreDefaults)->setText(QStringLiteral("按像素（默认）"));
    form->addRow(buttons);

    const LabelDesign &design = workspace_.canvas();
    showSize(design.printedSize());
    const std::optional<QSizeF> byResolution
        = design.picture() ? sizeByResolution(*design.picture()) : std::nullopt;
    byResolution_->setEnabled(byResolution.has_value());
    if (byResolution)
        connect(byResolution_, &QPushButton::clicked, this,
            [this, size = *byResolution] { showSize(size); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        apply(QSizeF(width_->value(), height_->value()) * twipsPerMillimetre,
            QStringLiteral("标签尺寸"));
    });
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
    width_->setValue(twips.width() / twipsPerMillimetre);
    height_->setValue(twips.height() / twipsPerMillimetre);
}

void LabelSizeDialog::apply(const std::optional<QSizeF> &size, const QString &step)
{
    LabelDesign &design = workspace_.canvas();
    workspace_.history().record(design, step, [&design, size] { design.setPhysicalSize(size); });
    accept();
}

} // namespace tagloom
