// The box dialog: width, wrapping or shrinking, smallest size.
#include "TextBoxDialog.h"

#include "DesignLimits.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QRadioButton>

namespace tagloom {

TextBoxDialog::TextBoxDialog(const TextBox &box, double printedScale, QWidget *parent)
    : QDialog(parent)
    , width_(new QDoubleSpinBox(this))
    , wrap_(new QRadioButton(QStringLiteral("换行"), this))
    , shrink_(new QRadioButton(QStringLiteral("先缩小字号，再换行"), this))
    , smallest_(new QDoubleSpinBox(this))
{
    setObjectName(QStringLiteral("TextBoxDialog"));
    setWindowTitle(QStringLiteral("文字宽度"));
    const double millimetresPerTwip = printedScale / twipsPerMillimetre;
    width_->setObjectName(QStringLiteral("BoxWidth"));
    width_->setRange(0, DesignLimits::largestSize * millimetresPerTwip);
    width_->setDecimals(1);
    width_->setSuffix(QStringLiteral(" 毫米"));
    width_->setSpecialValueText(QStringLiteral("不限（随文字）"));
    width_->setValue(box.width * millimetresPerTwip);
    wrap_->setObjectName(QStringLiteral("WrapFit"));
    shrink_->setObjectName(QStringLiteral("ShrinkFit"));
    (box.fit == TextBox::Fit::Shrink ? shrink_ : wrap_)->setChecked(true);
    smallest_->setObjectName(QStringLiteral("SmallestSize"));
    smallest_->setRange(DesignLimits::smallestFontSize, 72);
    smallest_->setDecimals(1);
    smallest_->setSingleStep(0.5);
    smallest_->setSuffix(QStringLiteral(" 磅"));
    smallest_->setValue(box.smallestPointSize);
    smallest_->setEnabled(box.fit == TextBox::Fit::Shrink);
    connect(shrink_, &QRadioButton::toggled, smallest_, &QWidget::setEnabled);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this, millimetresPerTwip] {
        emit boxChosen({static_cast<Twips>(width_->value() / millimetresPerTwip),
            shrink_->isChecked() ? TextBox::Fit::Shrink : TextBox::Fit::Wrap,
            static_cast<float>(smallest_->value())});
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(QStringLiteral("宽度"), width_);
    form->addRow(QStringLiteral("放不下时"), wrap_);
    form->addRow(QString(), shrink_);
    form->addRow(QStringLiteral("最小字号"), smallest_);
    form->addRow(buttons);
}

} // namespace tagloom
