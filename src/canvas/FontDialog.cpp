// The canvas's font dialog: its controls, the colour choice and the preview.
#include "FontDialog.h"

#include "DesignLimits.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tagloom {

FontDialog::FontDialog(const FontChoice &initial, QWidget *parent)
    : QDialog(parent)
    , familyName_(initial.font.family)
{
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(QStringLiteral("字体"));

    family_ = new QFontComboBox(this);
    family_->setObjectName(QStringLiteral("family"));
    family_->setCurrentFont(initial.font.toQFont());
    size_ = new QDoubleSpinBox(this);
    size_->setObjectName(QStringLiteral("size"));
    size_->setRange(DesignLimits::smallestFontSize, DesignLimits::largestFontSize);
    size_->setDecimals(2);
    size_->setSingleStep(0.5);
    size_->setValue(initial.font.pointSize);
    size_->setSuffix(QStringLiteral(" 磅"));
    size_->setToolTip(QStringLiteral("文字打印出来的大小"));
    bold_ = new QCheckBox(QStringLiteral("粗体"), this);
    bold_->setChecked(initial.font.bold);
    italic_ = new QCheckBox(QStringLiteral("斜体"), this);
    italic_->setChecked(initial.font.italic);
    underline_ = new QCheckBox(QStringLiteral("下划线"), this);
    underline_->setChecked(initial.font.underline);
    strikeout_ = new QCheckBox(QStringLiteral("删除线"), this);
    strikeout_->setChecked(initial.font.strikeout);
    colorButton_ = new QPushButton(this);
    colorButton_->setObjectName(QStringLiteral("color"));
    preview_ = new QLabel(QStringLiteral("AaBb 标签 123"), this);
    preview_->setMinimumHeight(60);
    preview_->setAlignment(Qt::AlignCenter);

    auto *effects = new QHBoxLayout;
    for (QCheckBox *box : {bold_, italic_, underline_, strikeout_})
        effects->addWidget(box);
    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("字体:"), family_);
    form->addRow(QStringLiteral("大小:"), size_);
    form->addRow(QStringLiteral("效果:"), effects);
    form->addRow(QStringLiteral("颜色:"), colorButton_);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(preview_);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(colorButton_, &QPushButton::clicked, this, [this] {
        const QColor chosen = QColorDialog::getColor(color_, this, QStringLiteral("颜色"));
        if (chosen.isValid()) setColor(chosen);
    });
    // A face this system lacks shows as its stand-in but keeps its name until the user picks
    // another, so that OK without a change changes nothing.
    connect(family_, &QFontComboBox::currentFontChanged, this, [this](const QFont &font) {
        familyName_ = font.family();
        updatePreview();
    });
    connect(size_, &QDoubleSpinBox::valueChanged, this, &FontDialog::updatePreview);
    for (QCheckBox *box : {bold_, italic_, underline_, strikeout_})
        connect(box, &QCheckBox::toggled, this, &FontDialog::updatePreview);
    setColor(initial.color);
}

FontChoice FontDialog::choice() const
{
    FontChoice result;
    result.font.family = familyName_;
    result.font.pointSize = static_cast<float>(size_->value());
    result.font.bold = bold_->isChecked();
    result.font.italic = italic_->isChecked();
    result.font.underline = underline_->isChecked();
    result.font.strikeout = strikeout_->isChecked();
    result.color = color_;
    return result;
}

void FontDialog::setColor(const QColor &color)
{
    color_ = color;
    colorButton_->setText(color.name());
    QPixmap swatch(16, 16);
    swatch.fill(color);
    colorButton_->setIcon(QIcon(swatch));
    updatePreview();
}

void FontDialog::updatePreview()
{
    const FontChoice current = choice();
    QFont font = current.font.toQFont();
    font.setPointSizeF(std::min(current.font.pointSize, 36.0F)); // the preview stays readable
    preview_->setFont(font);
    QPalette palette = preview_->palette();
    palette.setColor(QPalette::WindowText, current.color);
    preview_->setPalette(palette);
}

} // namespace tagloom
