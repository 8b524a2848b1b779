// The printing section of the main window's side panel.
#include "PrinterSection.h"

#include "MessageBox.h"
#include "Workspace.h"
#include "canvas/LabelDesign.h"
#include "data/DataTable.h"
#include "print/CalibrationLabel.h"
#include "print/CupsPrinterOutput.h"
#include "print/CupsQueue.h"
#include "print/PrintRun.h"
#include "print/PrintSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace tagloom {

namespace {

// Lists the queues afresh whenever it opens: printers come and go while the program runs, and
// asking CUPS only then keeps the start quick.
class PrinterComboBox : public QComboBox
{
public:
    explicit PrinterComboBox(QWidget *parent)
        : QComboBox(parent)
    {
        addItem(defaultEntry(), QString());
        const QString chosen = PrintSettings::chosenPrinter();
        if (!chosen.isEmpty()) addItem(chosen, chosen);
        setCurrentIndex(count() - 1);
    }

    void showPopup() override
    {
        const QString chosen = currentData().toString();
        const QSignalBlocker blocker(this);
        clear();
        addItem(defaultEntry(), QString());
        QStringList names = CupsQueue::names();
        // A queue chosen once and gone since stays in the list, so the choice shows as it is.
        if (!chosen.isEmpty() && !names.contains(chosen)) names << chosen;
        for (const QString &name : names)
            addItem(name, name);
        setCurrentIndex(std::max(0, findData(chosen)));
        QComboBox::showPopup();
    }

private:
    static QString defaultEntry()
    {
        const QString name = CupsQueue::defaultName();
        return name.isEmpty() ? QStringLiteral("默认打印机：没有")
                              : QStringLiteral("默认：%1").arg(name);
    }
};

QDoubleSpinBox *addNumberBox(
    QWidget *parent, const QString &name, double lowest, double highest, const QString &suffix)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(lowest, highest);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setSuffix(suffix);
    box->setKeyboardTracking(false);
    return box;
}

} // namespace

PrinterSection::PrinterSection(Workspace &workspace, QWidget *parent)
    : QGroupBox(QStringLiteral("打印机"), parent)
    , workspace_(workspace)
    , printer_(new PrinterComboBox(this))
    , copies_(new QSpinBox(this))
    , quantityColumn_(new QComboBox(this))
    , printsPicture_(new QCheckBox(QStringLiteral("打印背景图片"), this))
    , offsetX_(addNumberBox(this, QStringLiteral("OffsetX"), -Calibration::largestOffsetMm,
          Calibration::largestOffsetMm, QStringLiteral(" 毫米")))
    , offsetY_(addNumberBox(this, QStringLiteral("OffsetY"), -Calibration::largestOffsetMm,
          Calibration::largestOffsetMm, QStringLiteral(" 毫米")))
    , scale_(addNumberBox(this, QStringLiteral("Scale"), Calibration::smallestScalePercent,
          Calibration::largestScalePercent, QStringLiteral(" %")))
    , printCalibration_(new QPushButton(QStringLiteral("打印校准标签"), this))
{
    setObjectName(QStringLiteral("PrinterSection"));
    printer_->setObjectName(QStringLiteral("PrinterChoice"));
    printer_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    copies_->setObjectName(QStringLiteral("Copies"));
    copies_->setRange(1, PrintRun::mostCopies);
    printCalibration_->setObjectName(QStringLiteral("PrintCalibration"));
    printCalibration_->setAutoDefault(false);

    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addRow(printer_);
    layout->addRow(QStringLiteral("每个标签"), copies_);
    copies_->setSuffix(QStringLiteral(" 份"));
    quantityColumn_->setObjectName(QStringLiteral("QuantityColumn"));
    quantityColumn_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    quantityColumn_->setToolTip(QStringLiteral("每行打印的标签数取自这一列：空格为1，0跳过这一行"));
    layout->addRow(QStringLiteral("份数列"), quantityColumn_);
    printsPicture_->setObjectName(QStringLiteral("PrintPicture"));
    printsPicture_->setChecked(true);
    printsPicture_->setToolTip(
        QStringLiteral("标签纸上已印好图案时不勾选：只打印各项内容，画布上仍显示图片"));
    layout->addRow(printsPicture_);
    layout->addRow(QStringLiteral("右移"), offsetX_);
    layout->addRow(QStringLiteral("下移"), offsetY_);
    layout->addRow(QStringLiteral("比例"), scale_);
    layout->addRow(printCalibration_);
    offsetX_->setToolTip(QStringLiteral("把标签向右移，负数向左移"));
    offsetY_->setToolTip(QStringLiteral("把标签向下移，负数向上移"));

    connect(printer_, &QComboBox::currentIndexChanged, this, &PrinterSection::choosePrinter);
    for (QDoubleSpinBox *box : {offsetX_, offsetY_, scale_})
        connect(box, &QDoubleSpinBox::valueChanged, this, &PrinterSection::storeCalibration);
    connect(printCalibration_, &QPushButton::clicked, this, &PrinterSection::printCalibrationLabel);
    showCalibration();

    MainPanel &panel = workspace_.panel();
    connect(quantityColumn_, &QComboBox::activated, this,
        [this, &panel] { panel.setQuantityColumn(quantityColumn_->currentData().toString()); });
    connect(&panel, &MainPanel::quantityColumnChanged, this, &PrinterSection::listQuantityColumns);
    connect(&workspace_, &Workspace::sheetImported, this, &PrinterSection::listQuantityColumns);
    connect(&workspace_, &Workspace::dataTableDiscarded, this, &PrinterSection::listQuantityColumns,
        Qt::QueuedConnection);
    listQuantityColumns();
    connect(printsPicture_, &QCheckBox::toggled, this, [this](bool prints) {
        LabelDesign &design = workspace_.canvas();
        workspace_.history().record(design, QStringLiteral("打印背景图片"),
            [&design, prints] { design.setPrintsPicture(prints); });
    });
    connect(&workspace_, &Workspace::canvasCreated, this, &PrinterSection::followDesign);
    if (workspace_.hasCanvas()) followDesign(workspace_.canvas());
}

void PrinterSection::listQuantityColumns()
{
    const QString chosen = workspace_.panel().quantityColumn();
    QStringList headers;
    const DataTable *table = workspace_.hasDataTable() ? &workspace_.dataTable() : nullptr;
    for (int col = 1; table && table->hasSheet() && col < table->cols(); ++col)
        headers.append(table->cell(0, col));
    if (!chosen.isEmpty() && !headers.contains(chosen)) headers.append(chosen);
    quantityColumn_->clear();
    quantityColumn_->addItem(QStringLiteral("无（每行一张）"), QString());
    for (const QString &header : std::as_const(headers))
        quantityColumn_->addItem(header, header);
    quantityColumn_->setCurrentIndex(std::max(0, quantityColumn_->findData(chosen)));
}

void PrinterSection::followDesign(LabelDesign &design)
{
    const auto show = [this, &design] {
        const QSignalBlocker blocker(printsPicture_);
        printsPicture_->setChecked(design.printsPicture());
    };
    connect(&design, &LabelDesign::printsPictureChanged, printsPicture_, show);
    show();
}

QString PrinterSection::printerName() const
{
    const QString chosen = printer_->currentData().toString();
    return chosen.isEmpty() ? CupsQueue::defaultName() : chosen;
}

int PrinterSection::copies() const
{
    return copies_->value();
}

void PrinterSection::choosePrinter()
{
    PrintSettings::setChosenPrinter(printer_->currentData().toString());
    showCalibration();
}

void PrinterSection::showCalibration()
{
    const QString printer = printerName();
    const Calibration calibration = PrintSettings::calibration(printer);
    const QSignalBlocker blockX(offsetX_);
    const QSignalBlocker blockY(offsetY_);
    const QSignalBlocker blockScale(scale_);
    offsetX_->setValue(calibration.offsetMm.x());
    offsetY_->setValue(calibration.offsetMm.y());
    scale_->setValue(calibration.scalePercent);
    // Without a printer there is nothing to calibrate.
    for (QWidget *control :
        std::initializer_list<QWidget *> {offsetX_, offsetY_, scale_, printCalibration_})
        control->setEnabled(!printer.isEmpty());
    publishDots();
}

void PrinterSection::storeCalibration()
{
    const QString printer = printerName();
    if (printer.isEmpty()) return;
    PrintSettings::setCalibration(
        printer, {QPointF(offsetX_->value(), offsetY_->value()), scale_->value()});
    publishDots();
}

void PrinterSection::publishDots()
{
    const QString printer = printerName();
    const std::optional<int> dotsPerInch
        = printer.isEmpty() ? std::nullopt : PrintSettings::dotsPerInch(printer);
    workspace_.panel().setPrinterDotsPerInch(
        dotsPerInch ? std::optional<double>(*dotsPerInch * scale_->value() / 100) : std::nullopt);
}

void PrinterSection::printCalibrationLabel()
{
    const QString printer = printerName();
    const Calibration calibration = PrintSettings::calibration(printer);
    const LabelDesign &design = workspace_.canvas();
    CupsPrinterOutput output(printer, calibration);
    QString reason;
    if (!CalibrationLabel::print(output, design.printedSize(), printer, calibration, &reason)) {
        errorBox(workspace_.dialogs(), window(), QStringLiteral("%1。").arg(reason));
        emit statusChanged(reason);
        return;
    }
    emit statusChanged(QStringLiteral("已把校准标签送到打印机 %1。").arg(printer));
}

} // namespace tagloom
