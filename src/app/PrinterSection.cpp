// The printing section of the main window's side panel.
#include "PrinterSection.h"

#include "MessageBox.h"
#include "Workspace.h"
#include "canvas/LabelDesign.h"
#include "data/DataTable.h"
#include "print/CalibrationLabel.h"
#include "print/CupsQueue.h"
#include "print/LabelOutput.h"
#include "print/PrintRun.h"
#include "print/PrintSettings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace tagloom {

namespace {

// The entry of the printer connected directly, last in the list; the others name queues.
constexpr int directRole = Qt::UserRole + 1;

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
        addDirectEntry();
        setCurrentIndex(count() - (PrintSettings::directChosen() ? 1 : 2));
    }

    bool directChosen() const { return currentIndex() == count() - 1; }

    void showPopup() override
    {
        const bool direct = directChosen();
        const QString chosen = currentData().toString();
        const QSignalBlocker blocker(this);
        clear();
        addItem(defaultEntry(), QString());
        QStringList names = CupsQueue::names();
        // A queue chosen once and gone since stays in the list, so the choice shows as it is.
        if (!direct && !chosen.isEmpty() && !names.contains(chosen)) names << chosen;
        for (const QString &name : names)
            addItem(name, name);
        addDirectEntry();
        setCurrentIndex(direct ? count() - 1 : std::max(0, findData(chosen)));
        QComboBox::showPopup();
    }

private:
    void addDirectEntry()
    {
        addItem(QStringLiteral("直接连接"));
        setItemData(count() - 1, true, directRole);
    }

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
    , direct_(new QWidget(this))
    , directLanguage_(new QComboBox(direct_))
    , directDpi_(new QComboBox(direct_))
    , directAddress_(new QLineEdit(direct_))
    , directGap_(addNumberBox(direct_, QStringLiteral("DirectGap"), 0, DirectPrinter::largestGapMm,
          QStringLiteral(" 毫米")))
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

    directLanguage_->setObjectName(QStringLiteral("DirectLanguage"));
    directLanguage_->addItem(QStringLiteral("TSPL"), int(DirectPrinter::Language::Tspl));
    directLanguage_->addItem(QStringLiteral("ZPL"), int(DirectPrinter::Language::Zpl));
    directDpi_->setObjectName(QStringLiteral("DirectDpi"));
    for (const int dpi : {203, 300})
        directDpi_->addItem(QStringLiteral("%1 dpi").arg(dpi), dpi);
    directAddress_->setObjectName(QStringLiteral("DirectAddress"));
    directAddress_->setPlaceholderText(QStringLiteral("/dev/usb/lp0"));
    directAddress_->setToolTip(QStringLiteral(
        "设备文件（如 /dev/usb/lp0）、网络地址（如 192.168.1.50:9100）或原样转发的 CUPS 队列名"));
    directGap_->setToolTip(QStringLiteral("两张标签之间的间隙，连续纸为 0"));
    auto *directLayout = new QFormLayout(direct_);
    directLayout->setContentsMargins(0, 0, 0, 0);
    directLayout->addRow(QStringLiteral("语言"), directLanguage_);
    directLayout->addRow(QStringLiteral("分辨率"), directDpi_);
    directLayout->addRow(QStringLiteral("位置"), directAddress_);
    directLayout->addRow(QStringLiteral("间隙"), directGap_);

    auto *layout = new QFormLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addRow(printer_);
    layout->addRow(direct_);
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
    for (QComboBox *box : {directLanguage_, directDpi_})
        connect(box, &QComboBox::currentIndexChanged, this, &PrinterSection::storeDirectPrinter);
    connect(directAddress_, &QLineEdit::editingFinished, this, &PrinterSection::storeDirectPrinter);
    connect(directGap_, &QDoubleSpinBox::valueChanged, this, &PrinterSection::storeDirectPrinter);
    showDirectPrinter();
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

PrinterChoice PrinterSection::choice() const
{
    if (static_cast<PrinterComboBox *>(printer_)->directChosen())
        return PrinterChoice::direct(PrintSettings::directPrinter());
    return PrinterChoice::cupsQueue(printer_->currentData().toString());
}

int PrinterSection::copies() const
{
    return copies_->value();
}

void PrinterSection::choosePrinter()
{
    const bool direct = static_cast<PrinterComboBox *>(printer_)->directChosen();
    PrintSettings::setDirectChosen(direct);
    if (!direct) PrintSettings::setChosenPrinter(printer_->currentData().toString());
    showDirectPrinter();
}

void PrinterSection::showDirectPrinter()
{
    const DirectPrinter printer = PrintSettings::directPrinter();
    {
        const QSignalBlocker blockLanguage(directLanguage_);
        const QSignalBlocker blockDpi(directDpi_);
        const QSignalBlocker blockGap(directGap_);
        directLanguage_->setCurrentIndex(directLanguage_->findData(int(printer.language)));
        // A resolution set on the command line or by hand shows as one of its own.
        if (directDpi_->findData(printer.dotsPerInch) < 0)
            directDpi_->addItem(
                QStringLiteral("%1 dpi").arg(printer.dotsPerInch), printer.dotsPerInch);
        directDpi_->setCurrentIndex(directDpi_->findData(printer.dotsPerInch));
        directAddress_->setText(printer.address);
        directGap_->setValue(printer.gapMm);
    }
    direct_->setVisible(static_cast<PrinterComboBox *>(printer_)->directChosen());
    showCalibration();
}

void PrinterSection::storeDirectPrinter()
{
    DirectPrinter printer;
    printer.language = DirectPrinter::Language(directLanguage_->currentData().toInt());
    printer.dotsPerInch = directDpi_->currentData().toInt();
    printer.address = directAddress_->text().trimmed();
    printer.gapMm = directGap_->value();
    PrintSettings::setDirectPrinter(printer);
    // The calibration belongs to the printer as it is now set up.
    showCalibration();
}

void PrinterSection::showCalibration()
{
    const QString printer = choice().name();
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
    const QString printer = choice().name();
    if (printer.isEmpty()) return;
    PrintSettings::setCalibration(
        printer, {QPointF(offsetX_->value(), offsetY_->value()), scale_->value()});
    publishDots();
}

void PrinterSection::publishDots()
{
    const std::optional<int> dotsPerInch = choice().dotsPerInch();
    workspace_.panel().setPrinterDotsPerInch(
        dotsPerInch ? std::optional<double>(*dotsPerInch * scale_->value() / 100) : std::nullopt);
}

void PrinterSection::printCalibrationLabel()
{
    const PrinterChoice choice = this->choice();
    const QString printer = choice.name();
    const Calibration calibration = PrintSettings::calibration(printer);
    const LabelDesign &design = workspace_.canvas();
    const std::unique_ptr<LabelOutput> output = choice.output(calibration);
    QString reason;
    if (!CalibrationLabel::print(*output, design.printedSize(), printer, calibration, &reason)) {
        errorBox(workspace_.dialogs(), window(), QStringLiteral("%1。").arg(reason));
        emit statusChanged(reason);
        return;
    }
    emit statusChanged(QStringLiteral("已把校准标签送到打印机 %1。").arg(printer));
}

} // namespace tagloom
