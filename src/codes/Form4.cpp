// The size dialog: filling the boxes from the canvas and applying them.
#include "Form4.h"

#include "PrintedCodes.h"
#include "app/ControlName.h"
#include "app/MessageBox.h"
#include "app/ScreenTwips.h"
#include "app/Workspace.h"
#include "canvas/DesignLimits.h"
#include "canvas/LabelDesign.h"
#include "canvas/NumberText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tagloom {

namespace {

enum Box { QrWidth = 0, QrHeight = 1, BarcodeWidth = 2, BarcodeHeight = 3 };

const char *const boxMeaning[] = {"二维码的长", "二维码的高", "条形码的长", "条形码的高"};

QGroupBox *addFrame(QWidget *parent, int index, const QString &caption, Twips left)
{
    auto *frame = new QGroupBox(caption, parent);
    frame->setObjectName(controlName("Frame1", index));
    ScreenTwips::place(frame, left, 120, 1575, 1215);
    return frame;
}

void addCaption(QGroupBox *frame, int index, const QString &caption, Twips top)
{
    auto *label = new QLabel(caption, frame);
    label->setObjectName(controlName("Label1", index));
    ScreenTwips::place(label, 240, top, 495, 255);
}

QLineEdit *addBox(QGroupBox *frame, int index, Twips top)
{
    auto *box = new QLineEdit(frame);
    box->setObjectName(controlName("Text1", index));
    ScreenTwips::place(box, 600, top, 615, 270);
    return box;
}

} // namespace

Form4::Form4(Workspace &workspace)
    : workspace_(workspace)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("修改尺寸"));
    // The sizes that print go in a strip below the dialog's own area.
    constexpr Twips printedSizesHeight = 900;
    ScreenTwips::resizeClient(this, 3870, 1950 + printedSizesHeight);
    setFixedSize(size());

    QGroupBox *qr = addFrame(this, 0, QStringLiteral("二维码"), 240);
    addCaption(qr, 0, QStringLiteral("长"), 360);
    text1_[QrWidth] = addBox(qr, 0, 360);
    addCaption(qr, 1, QStringLiteral("高"), 720);
    text1_[QrHeight] = addBox(qr, 1, 720);
    QGroupBox *barcode = addFrame(this, 1, QStringLiteral("条形码"), 2040);
    addCaption(barcode, 3, QStringLiteral("长"), 360);
    text1_[BarcodeWidth] = addBox(barcode, 2, 360);
    addCaption(barcode, 2, QStringLiteral("高"), 720);
    text1_[BarcodeHeight] = addBox(barcode, 3, 720);

    auto *ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setObjectName(QStringLiteral("Command1"));
    ok->setAutoDefault(false); // Enter in a box does not apply
    ScreenTwips::place(ok, 1320, 1440, 1215, 375);
    connect(ok, &QPushButton::clicked, this, &Form4::Command1_Click);

    printedSizes_ = new QLabel(this);
    printedSizes_->setObjectName(QStringLiteral("PrintedSizes"));
    printedSizes_->setWordWrap(true);
    printedSizes_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScreenTwips::place(printedSizes_, 120, 1920, 3630, printedSizesHeight - 60);
    for (QLineEdit *box : text1_)
        connect(box, &QLineEdit::textChanged, this, &Form4::showPrintedSizes);
    connect(
        &workspace_.panel(), &MainPanel::printerDotsPerInchChanged, this, &Form4::showPrintedSizes);

    setTabOrder(text1_[0], text1_[1]);
    setTabOrder(text1_[1], text1_[2]);
    setTabOrder(text1_[2], text1_[3]);
    setTabOrder(text1_[3], ok);
}

void Form4::fillFromCanvas()
{
    const LabelDesign &design = workspace_.canvas();
    text1_[QrWidth]->setText(NumberText::fromSingle(design.codeImage().geometry.width));
    text1_[QrHeight]->setText(NumberText::fromSingle(design.codeImage().geometry.height));
    text1_[BarcodeHeight]->setText(NumberText::fromSingle(design.barcodeGeometry().height));
    text1_[BarcodeWidth]->setText(NumberText::fromSingle(design.barcodeHolder().geometry.width));
}

void Form4::showPrintedSizes()
{
    const auto typed = [this](Box box) {
        const std::optional<float> value = NumberText::toSingle(text1_[box]->text());
        return value && *value > 0 && *value <= DesignLimits::largestSize ? *value : 0.0F;
    };
    const PrintedCodes printed = PrintedCodes::of(workspace_,
        QSizeF(typed(QrWidth), typed(QrHeight)), QSizeF(typed(BarcodeWidth), typed(BarcodeHeight)));
    const auto number = [](double millimetres) { return QString::number(millimetres, 'f', 1); };
    QStringList heading;
    if (printed.dotsPerInch) heading << QStringLiteral("%1 dpi").arg(qRound(*printed.dotsPerInch));
    if (printed.row > 0) heading << QStringLiteral("按第%1行").arg(printed.row);
    QStringList lines {heading.isEmpty()
            ? QStringLiteral("打印出来：")
            : QStringLiteral("打印出来（%1）：").arg(heading.join(QStringLiteral("，")))};
    if (printed.qrCode && !printed.qrItem.isEmpty())
        lines << QStringLiteral("二维码 %1×%2 毫米（框 %3×%4）")
                     .arg(number(printed.qrCode->width()), number(printed.qrCode->height()),
                         number(printed.qrItem.width()), number(printed.qrItem.height()));
    if (!printed.barcodeItem.isEmpty())
        lines << (printed.barcode
                ? QStringLiteral("条形码 %1×%2 毫米（框 %3×%4）")
                      .arg(number(printed.barcode->width()), number(printed.barcode->height()),
                          number(printed.barcodeItem.width()), number(printed.barcodeItem.height()))
                : QStringLiteral("条形码框 %1×%2 毫米，条码随数据而定")
                      .arg(number(printed.barcodeItem.width()),
                          number(printed.barcodeItem.height())));
    printedSizes_->setText(lines.join(QLatin1Char('\n')));
}

// Apply the four sizes to the QR code and the barcode, and close.
void Form4::Command1_Click()
{
    float size[4] = {};
    for (int box = 0; box < 4; ++box) {
        const std::optional<float> value = NumberText::toSingle(text1_[box]->text());
        if (!value || *value <= 0 || *value > DesignLimits::largestSize) {
            errorBox(workspace_.dialogs(), this,
                QStringLiteral("%1必须是大于0、不超过%2的数字(单位:缇)")
                    .arg(QString::fromUtf8(boxMeaning[box]))
                    .arg(double(DesignLimits::largestSize)));
            text1_[box]->setFocus();
            text1_[box]->selectAll();
            return;
        }
        size[box] = *value;
    }

    LabelDesign &design = workspace_.canvas();
    workspace_.history().record(design, QStringLiteral("调整大小"), [&design, &size] {
        TwipsRect image = design.codeImage().geometry;
        image.width = size[QrWidth];
        image.height = size[QrHeight];
        design.setCodeImageGeometry(image);
        TwipsRect barcode = design.barcodeGeometry();
        barcode.width = static_cast<Twips>(double(size[BarcodeWidth]) + 3000);
        barcode.height = size[BarcodeHeight];
        design.setBarcodeGeometry(barcode);
        TwipsRect holder = design.barcodeHolder().geometry;
        holder.width = size[BarcodeWidth];
        holder.height = size[BarcodeHeight];
        design.setBarcodeHolderGeometry(holder);
    });
    close();
}

} // namespace tagloom
