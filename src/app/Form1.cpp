// The main window: its controls, their bindings to the main panel, the commands and docking.
#include "Form1.h"

#include "ControlName.h"
#include "Forms.h"
#include "LabelPictureChoice.h"
#include "LabelSizeDialog.h"
#include "PrinterSection.h"
#include "RowPreview.h"
#include "ScreenTwips.h"
#include "SidePanel.h"
#include "Workspace.h"
#include "canvas/DesignHistory.h"
#include "canvas/Form2.h"
#include "canvas/LabelDesign.h"
#include "canvas/LabelFont.h"
#include "canvas/PictureLoader.h"
#include "codes/CodeItems.h"
#include "data/DataTable.h"
#include "data/FieldItemGenerator.h"
#include "data/Form3.h"
#include "data/WorkbookImport.h"
#include "layout/LayoutCommands.h"
#include "layout/LayoutLoader.h"
#include "layout/SaveQuestion.h"
#include "print/LabelOutput.h"
#include "print/PrintProgressDialog.h"
#include "print/PrintRun.h"
#include "print/PrintSettings.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <QtMath>
#include <limits>

namespace tagloom {

namespace {

// The steps' area; the side panel lies to its right.
constexpr Twips clientWidth = 5220;
constexpr Twips clientHeight = 4155;
// Docking: the canvas window starts its picture's width and this much left of the main window.
constexpr Twips canvasDockAllowance = 200;

QLabel *addLabel(
    QWidget *parent, const QString &name, const QString &caption, const TwipsRect &rect)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    ScreenTwips::place(label, rect);
    return label;
}

QLineEdit *addTextBox(QWidget *parent, const QString &name, const TwipsRect &rect)
{
    auto *text = new QLineEdit(parent);
    text->setObjectName(name);
    ScreenTwips::place(text, rect);
    return text;
}

void addLine(QWidget *parent, int index, Twips top)
{
    auto *line = new QFrame(parent);
    line->setObjectName(controlName("Line1", index));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    ScreenTwips::place(line, 0, top - 15, 5280, 30);
}

// Shows the panel's path in its hidden box. The box never changes the path: nobody types in it,
// and a line edit would cut a long path short.
void showPath(QLineEdit *edit, MainPanel &panel, const QString &initial,
    void (MainPanel::*changed)(const QString &))
{
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setText(initial);
    QObject::connect(&panel, changed, edit, &QLineEdit::setText);
}

// Keeps a combo box showing a source chooser's list and choice.
void bindChooser(QComboBox *combo, SourceChooser &chooser)
{
    QObject::connect(
        &chooser, &SourceChooser::itemAppended, combo, [combo, &chooser](const QString &item) {
            const QSignalBlocker blocker(combo);
            combo->addItem(item);
            combo->setCurrentIndex(chooser.listIndex()); // appending never chooses
        });
    QObject::connect(&chooser, &SourceChooser::listIndexChanged, combo, [combo](int index) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    });
    QObject::connect(combo, &QComboBox::currentIndexChanged, &chooser,
        [&chooser](int index) { chooser.setListIndex(index); });
}

} // namespace

Form1::Form1(Workspace &workspace, Forms &forms)
    : workspace_(workspace)
    , forms_(forms)
    , commonDialog_(workspace.dialogs(), this)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tagloom码(二维码|条形码)"));
    QIcon icon;
    for (int size : {16, 32, 48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tagloom-%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    ScreenTwips::resizeClient(this, clientWidth + SidePanel::width, clientHeight);
    buildControls();
    sidePanel_ = new SidePanel(this);
    ScreenTwips::place(sidePanel_, clientWidth, 0, SidePanel::width, clientHeight);
    addTools();
    printerSection_ = new PrinterSection(workspace_, sidePanel_);
    sidePanel_->addSection(printerSection_);
    connect(printerSection_, &PrinterSection::statusChanged, this, &Form1::showStatus);
    bindPanel();

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(0);
    connect(timer1_, &QTimer::timeout, this, &Form1::Timer1_Timer);
}

QPushButton *Form1::addButton(const char *name, const QString &caption, Twips left, Twips top,
    Twips width, Twips height, void (Form1::*handler)())
{
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    ScreenTwips::place(button, left, top, width, height);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

void Form1::buildControls()
{
    addButton(
        "Command1", QStringLiteral("选择标签图片"), 480, 240, 1335, 495, &Form1::Command1_Click);
    addButton(
        "Command2", QStringLiteral("选择数据文件"), 480, 960, 1335, 540, &Form1::Command2_Click);
    command3_ = addButton(
        "Command3", QStringLiteral("生成数据项"), 480, 1680, 1335, 495, &Form1::Command3_Click);
    command3_->setEnabled(false);
    addButton(
        "Command4", QStringLiteral("插入二维码"), 2400, 240, 1215, 495, &Form1::Command4_Click);
    addButton(
        "Command5", QStringLiteral("插入条形码"), 2400, 960, 1215, 495, &Form1::Command5_Click);
    addButton(
        "Command7", QStringLiteral("调整大小"), 2400, 1680, 1215, 495, &Form1::Command7_Click);
    addButton(
        "Command10", QStringLiteral("删除二维码"), 3840, 1680, 1095, 495, &Form1::Command10_Click);

    addLabel(
        this, controlName("Label1", 0), QStringLiteral("二维码数据来源"), {3720, 240, 1335, 255});
    addLabel(
        this, controlName("Label1", 1), QStringLiteral("条形码数据来源"), {3720, 960, 1335, 255});
    for (int k = 0; k < 2; ++k) {
        combo1_[k] = new QComboBox(this);
        combo1_[k]->setObjectName(controlName("Combo1", k));
        ScreenTwips::place(combo1_[k], 3720, k == 0 ? 480 : 1200, 1335, 300);
    }

    addLine(this, 0, 2400);

    auto *frame = new QGroupBox(QStringLiteral("打印范围"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    ScreenTwips::place(frame, 480, 2520, 2295, 855);
    addLabel(frame, controlName("Label2", 0), QStringLiteral("从"), {120, 360, 255, 255});
    text3_[0] = addTextBox(frame, controlName("Text3", 0), {360, 360, 615, 270});
    addLabel(frame, controlName("Label2", 1), QStringLiteral("到"), {1080, 360, 255, 255});
    text3_[1] = addTextBox(frame, controlName("Text3", 1), {1320, 360, 615, 270});
    addLabel(frame, controlName("Label2", 2), QStringLiteral("行"), {2040, 360, 255, 255});

    addButton(
        "Command6", QStringLiteral("开始打印"), 3240, 2760, 1695, 495, &Form1::Command6_Click);
    addLine(this, 1, 3600);
    addButton("Command9", QStringLiteral("导入布局"), 360, 3720, 975, 375, &Form1::Command9_Click);
    addButton("Command8", QStringLiteral("保存布局"), 1560, 3720, 975, 375, &Form1::Command8_Click);

    // The two paths are state holders below the client area, never shown.
    text2_ = addTextBox(this, QStringLiteral("Text2"), {720, 4080, 1335, 270});
    text2_->hide();
    text1_ = addTextBox(this, QStringLiteral("Text1"), {2280, 4080, 1335, 270});
    text1_->hide();

    static constexpr struct
    {
        Twips left;
        Twips top;
    } stepPlaces[] = {{120, 240}, {120, 960}, {120, 1680}, {2040, 240}, {2040, 960}, {2040, 1680},
        {120, 2760}, {2880, 2760}};
    const QFont digitFont = chineseFont(QStringLiteral("SimSun"), 21.75);
    for (int step = 0; step < 8; ++step) {
        QLabel *digit = addLabel(this, controlName("Label3", step), QString::number(step + 1),
            {stepPlaces[step].left, stepPlaces[step].top, 255, 495});
        digit->setFont(digitFont);
    }
}

void Form1::addTools()
{
    DesignHistory &history = workspace_.history();
    auto *menu = new QMenu(this);
    for (QAction *action : {history.createUndoAction(this), history.createRedoAction(this)}) {
        menu->addAction(action);
        addAction(action); // the keys work wherever the focus is in the window
    }
    menu->addSeparator();
    QAction *addText = menu->addAction(QStringLiteral("添加文本(&T)…"));
    addText->setObjectName(QStringLiteral("AddTextAction"));
    connect(addText, &QAction::triggered, this, [this] { forms_.form2()->addTextItem(); });
    QAction *labelSize = menu->addAction(QStringLiteral("标签尺寸…"));
    labelSize->setObjectName(QStringLiteral("LabelSizeAction"));
    connect(labelSize, &QAction::triggered, this, [this] {
        auto *dialog = new LabelSizeDialog(workspace_, this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->open();
    });
    auto *tools = new QWidget(sidePanel_);
    auto *button = new QToolButton(tools);
    button->setObjectName(QStringLiteral("EditButton"));
    button->setText(QStringLiteral("编辑"));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(menu);
    rowPreview_ = new RowPreview(workspace_, forms_, tools);
    connect(rowPreview_, &RowPreview::statusChanged, this, &Form1::showStatus);
    auto *layout = new QHBoxLayout(tools);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(button);
    layout->addWidget(rowPreview_, 1);
    sidePanel_->addSection(tools);
}

void Form1::changeCanvas(const QString &text, void (*change)(LabelDesign &))
{
    LabelDesign &design = workspace_.canvas();
    workspace_.history().record(design, text, [&design, change] { change(design); });
}

void Form1::bindPanel()
{
    MainPanel &panel = workspace_.panel();
    showPath(text1_, panel, panel.labelPicturePath(), &MainPanel::labelPicturePathChanged);
    showPath(text2_, panel, panel.dataFilePath(), &MainPanel::dataFilePathChanged);
    for (auto bound : {MainPanel::FirstRow, MainPanel::LastRow}) {
        QLineEdit *edit = text3_[bound];
        edit->setText(panel.rangeText(bound));
        connect(&panel, &MainPanel::rangeTextChanged, edit,
            [edit, bound](MainPanel::RangeBound changed, const QString &text) {
                if (changed == bound && edit->text() != text) edit->setText(text);
            });
        connect(edit, &QLineEdit::textEdited, &panel,
            [&panel, bound](const QString &text) { panel.setRangeText(bound, text); });
    }
    bindChooser(combo1_[0], panel.chooser(MainPanel::QrSource));
    bindChooser(combo1_[1], panel.chooser(MainPanel::BarcodeSource));
    connect(&panel, &MainPanel::generateEnabledChanged, command3_, &QPushButton::setEnabled);
}

void Form1::startDocking()
{
    // Setting the interval again on a later choice changes nothing.
    if (timer1_->interval() != 100) timer1_->setInterval(100);
    if (!timer1_->isActive()) timer1_->start();
}

void Form1::makeRoomForCanvas()
{
    roomWanted_ = true;
    makeRoomOnceShown();
}

void Form1::makeRoomOnceShown()
{
    // Only a window on the screen knows its frame and where the window manager put it; until then
    // the docking timer asks again.
    if (!roomWanted_ || !windowHandle() || !windowHandle()->isExposed()) return;
    roomWanted_ = false;
    // The docking formulas stay. Moving just this far keeps this window and the data window below
    // it on any screen wide enough for all three; on a smaller one the label comes first.
    const QRect screenArea = screen()->availableGeometry();
    const QRect frame = frameGeometry();
    const int canvasRoom = qCeil(
        twipsToPixels(forms_.form2()->shownWidth() + canvasDockAllowance, ScreenTwips::dpiX(this)));
    if (frame.left() - canvasRoom >= screenArea.left()) return;
    move(screenArea.left() + canvasRoom, frame.top());
}

QString Form1::status() const
{
    return sidePanel_->status();
}

void Form1::showStatus(const QString &text)
{
    sidePanel_->showStatus(text);
}

// Step 1: choose the label picture and put it on the canvas.
void Form1::Command1_Click()
{
    showStatus({});
    if (!SaveQuestion::mayDiscard(workspace_, commonDialog_, this)) return;
    commonDialog_.setCancelError(true);
    if (!commonDialog_.showOpen({QStringLiteral("图片文件"), PictureLoader::filePatterns()}))
        return;
    QString reason;
    if (!LabelPictureChoice::apply(workspace_, commonDialog_.fileName(), &reason))
        showStatus(QStringLiteral("未能选择标签图片：%1").arg(reason));
}

// Step 2: choose the data file and import its sheet1 into the data table.
void Form1::Command2_Click()
{
    showStatus({});
    commonDialog_.setCancelError(true);
    if (!commonDialog_.showOpen({QStringLiteral("数据文件"), WorkbookImport::filePatterns()}))
        return;
    workspace_.panel().setDataFilePath(commonDialog_.fileName());
    QString reason;
    if (!WorkbookImport::run(workspace_, &reason)) {
        showStatus(QStringLiteral("未能导入数据文件：%1").arg(reason));
        return;
    }
    workspace_.panel().enableGenerate();
    const DataTable &table = workspace_.dataTable();
    showStatus(QStringLiteral("已导入数据文件：%1行数据，%2列")
                   .arg(table.rows() - 1)
                   .arg(table.cols() - 1));
}

// Step 3: one field item per data column on the canvas.
void Form1::Command3_Click()
{
    showStatus({});
    FieldItemGenerator::run(workspace_);
}

// Step 4: put the QR code item on the label.
void Form1::Command4_Click()
{
    showStatus({});
    changeCanvas(QStringLiteral("插入二维码"), &CodeItems::insertQrCode);
}

// Step 5: put the barcode item on the label.
void Form1::Command5_Click()
{
    showStatus({});
    changeCanvas(QStringLiteral("插入条形码"), &CodeItems::insertBarcode);
}

// Step 8: print one label per row of the range, on the default printer unless the side panel
// names another, with that printer's calibration.
void Form1::Command6_Click()
{
    showStatus({});
    const PrinterChoice printer = printerSection_->choice();
    const std::unique_ptr<LabelOutput> output
        = printer.output(PrintSettings::calibration(printer.name()));
    PrintProgressDialog progress(this);
    const PrintRun::Result result
        = PrintRun(workspace_, *output, progress, printerSection_->copies()).run();
    if (result.outcome == PrintRun::Outcome::Printed)
        showStatus(QStringLiteral("已送出%1张标签。").arg(result.pagesSent));
    else
        showStatus(result.message);
}

// Step 6: open the size dialog for the QR code and the barcode.
void Form1::Command7_Click()
{
    showStatus({});
    Form4 *dialog = forms_.form4();
    if (!dialog->isVisible()) ScreenTwips::centreOnScreen(dialog);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->fillFromCanvas();
}

// Save the design to a layout file.
void Form1::Command8_Click()
{
    showStatus({});
    LayoutCommands::save(workspace_, commonDialog_, this);
}

// Load a design from a layout file.
void Form1::Command9_Click()
{
    showStatus({});
    if (!SaveQuestion::mayDiscard(workspace_, commonDialog_, this)) return;
    QString reason;
    if (!LayoutCommands::open(workspace_, commonDialog_, &reason) && !reason.isEmpty())
        showStatus(QStringLiteral("布局没有完整导入：%1").arg(reason));
}

// Take the QR code and the barcode off the label.
void Form1::Command10_Click()
{
    showStatus({});
    changeCanvas(QStringLiteral("删除二维码"), &CodeItems::removeBoth);
}

void Form1::loadLayout(const QString &path)
{
    QString reason;
    if (!LayoutLoader::load(workspace_, path, &reason))
        showStatus(QStringLiteral("布局没有完整导入：%1").arg(reason));
}

void Form1::Timer1_Timer()
{
    makeRoomOnceShown();
    const QPointF main = ScreenTwips::windowPosition(this);
    // By the picture's shown width: a picture scaled down to fit the screen keeps the window's
    // right edge 80 twips left of the main window, as one shown at true size does.
    Form2 *canvasWindow = forms_.form2();
    ScreenTwips::moveWindow(canvasWindow,
        static_cast<Twips>(main.x() - canvasWindow->shownWidth() - canvasDockAllowance),
        static_cast<Twips>(main.y() + 80));
    QWidget *dataWindow = forms_.form3();
    ScreenTwips::moveWindow(
        dataWindow, static_cast<Twips>(main.x()), static_cast<Twips>(main.y() + 4850));
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (!SaveQuestion::mayDiscard(workspace_, commonDialog_, this)) {
        event->ignore();
        return;
    }
    timer1_->stop(); // the timer goes with the window
    forms_.unloadCanvasWindow();
    forms_.unloadDataWindow();
    event->accept();
    emit closed();
}

} // namespace tagloom
