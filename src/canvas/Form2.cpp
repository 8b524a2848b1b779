// The canvas window: item widgets that follow the design, the mouse handlers and the item menus.
#include "Form2.h"

#include "CanvasItemWidget.h"
#include "CanvasWidget.h"
#include "DesignHistory.h"
#include "LabelDesign.h"
#include "app/ControlName.h"
#include "app/ScreenTwips.h"

#include <QActionGroup>
#include <QMenu>
#include <QMouseEvent>

namespace tagloom {

namespace {

// Allowances of the window around its picture for the title bar and the frame.
constexpr Twips frameAllowanceWidth = 120;
constexpr Twips frameAllowanceHeight = 450;
// The docking leaves this much between the canvas window and the main window, beside and above.
constexpr Twips dockingGap = 80;

constexpr int leftButton = 1;
constexpr int rightButton = 2;

// A menu of checkable choices, one for each value, each action holding its value's number.
template<class Value, size_t count>
QMenu *choiceMenu(const QString &title, const QString &name, const Value (&values)[count],
    const std::function<QString(Value)> &caption, QWidget *parent,
    const std::function<void(Value)> &chosen)
{
    auto *menu = new QMenu(title, parent);
    menu->setObjectName(name);
    auto *group = new QActionGroup(menu);
    for (const Value value : values) {
        QAction *action = menu->addAction(caption(value));
        action->setCheckable(true);
        action->setData(static_cast<int>(value));
        group->addAction(action);
        QObject::connect(action, &QAction::triggered, parent, [chosen, value] { chosen(value); });
    }
    return menu;
}

} // namespace

Form2::Form2(LabelDesign &design, DesignHistory &history, DialogProvider &dialogs)
    : design_(&design)
    , history_(history)
    , dialogs_(dialogs)
    , commonDialog_(dialogs, this)
    , view_(ScreenTwips::dpiX(this), ScreenTwips::dpiY(this))
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("标签"));

    picture1_ = new CanvasWidget(design, this);

    // Stacking follows creation: the holder lowest, then the template, the QR image, new items on
    // top.
    picture2_ = new CanvasItemWidget(QStringLiteral("Picture2"), picture1_);
    barCodeCtrl1_ = new QWidget(picture2_);
    barCodeCtrl1_->setObjectName(QStringLiteral("BarCodeCtrl1"));
    barCodeCtrl1_->setAttribute(Qt::WA_TransparentForMouseEvents);
    addFieldWidget(0);
    image1_ = new CanvasItemWidget(QStringLiteral("Image1"), picture1_);
    for (int index = 1; index < design.fieldCount(); ++index)
        addFieldWidget(index);

    mmu_ = new QMenu(QStringLiteral("菜单"), this);
    mmu_->setObjectName(QStringLiteral("mmu"));
    QAction *del = mmu_->addAction(QStringLiteral("删除"));
    del->setObjectName(QStringLiteral("del"));
    connect(del, &QAction::triggered, this, &Form2::del_Click);
    barcodeTypeMenu_ = choiceMenu<BarcodeType>(QStringLiteral("条形码类型"),
        QStringLiteral("barcodeTypeMenu"), allBarcodeTypes, &barcodeTypeName, this,
        [this](BarcodeType type) { barcodeType_Click(type); });
    qrLevelMenu_ = choiceMenu<QrLevel>(
        QStringLiteral("二维码纠错等级"), QStringLiteral("qrLevelMenu"), allQrLevels,
        [](QrLevel level) {
            return QStringLiteral("纠错等级 %1（约%2%可恢复）")
                .arg(qrLevelName(level))
                .arg(qrLevelRecovery(level));
        },
        this, [this](QrLevel level) { qrLevel_Click(level); });
    // Undo and redo reach the design from the canvas as from the main window.
    addAction(history.createUndoAction(this));
    addAction(history.createRedoAction(this));

    routeMouse(
        image1_, [this] { return design_->codeImage().geometry.toRectF().topLeft(); },
        [this](int button, Twips x, Twips y) { Image1_MouseDown(button, x, y); },
        [this](int buttons, Twips x, Twips y) { Image1_MouseMove(buttons, x, y); });
    routeMouse(
        picture2_, [this] { return design_->barcodeHolder().geometry.toRectF().topLeft(); },
        [this](int button, Twips x, Twips y) { Picture2_MouseDown(button, x, y); },
        [this](int buttons, Twips x, Twips y) { Picture2_MouseMove(buttons, x, y); });

    connect(&design, &LabelDesign::pictureChanged, this, &Form2::syncPicture);
    connect(&design, &LabelDesign::fieldAdded, this, &Form2::addFieldWidget);
    connect(&design, &LabelDesign::fieldsUnloaded, this, &Form2::removeFieldWidgets);
    connect(&design, &LabelDesign::fieldChanged, this, &Form2::syncField);
    connect(&design, &LabelDesign::codeImageChanged, this, &Form2::syncCodeImage);
    connect(&design, &LabelDesign::barcodeChanged, this, &Form2::syncBarcode);

    syncPicture();
}

void Form2::detach()
{
    if (!design_) return;
    disconnect(design_, nullptr, this, nullptr);
    picture1_->detach();
    design_ = nullptr;
}

void Form2::showRow(std::optional<LabelRow> row)
{
    picture1_->showRow(std::move(row));
}

bool Form2::showsRow() const
{
    return picture1_->showsRow();
}

void Form2::dockBeside(const QWidget *window)
{
    dock_ = window;
    syncPicture();
}

void Form2::addFieldWidget(int index)
{
    auto *widget = new CanvasItemWidget(controlName("Label1", index), picture1_);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, picture1_->showsRow());
    label1_.push_back(widget);
    routeMouse(
        widget, [this, index] { return design_->field(index).rect().topLeft(); },
        [this, index](int button, Twips x, Twips y) { Label1_MouseDown(index, button, x, y); },
        [this, index](int buttons, Twips x, Twips y) { Label1_MouseMove(index, buttons, x, y); });
    connect(widget, &CanvasItemWidget::doubleClicked, this,
        [this, index](QMouseEvent *) { Label1_DblClick(index); });
    syncField(index);
}

void Form2::removeFieldWidgets(int count)
{
    while (static_cast<int>(label1_.size()) > count) {
        delete label1_.back();
        label1_.pop_back();
    }
    picture1_->update();
}

void Form2::place(QWidget *widget, const TwipsRect &rect) const
{
    widget->setGeometry(view_.toPixels(rect));
}

void Form2::placeItem(QWidget *widget, const TwipsRect &rect, bool visible)
{
    place(widget, rect);
    widget->setVisible(visible);
    picture1_->update();
}

void Form2::syncPicture()
{
    const QSizeF label(design_->scaleWidth(), design_->scaleHeight());
    view_ = CanvasViewScale::fitting(
        label, screenRoom(), roomBesideDock(), ScreenTwips::dpiX(this), ScreenTwips::dpiY(this));
    picture1_->setView(view_);
    // The window's height first, then its width, each the picture's as shown plus the frame
    // allowance.
    windowHeight_ = static_cast<Twips>(label.height() * view_.factorY()) + frameAllowanceHeight;
    shownWidth_ = static_cast<Twips>(label.width() * view_.factorX());
    windowWidth_ = shownWidth_ + frameAllowanceWidth;
    place(picture1_, {0, 0, design_->scaleWidth(), design_->scaleHeight()});
    setFixedSize(picture1_->size());
    picture1_->update();
    // The items' mouse surfaces follow the scale.
    for (int index = 0; index < design_->fieldCount(); ++index)
        syncField(index);
    syncCodeImage();
    syncBarcode();
}

QSizeF Form2::screenRoom() const
{
    const QSizeF screen = ScreenTwips::availableSize(this);
    return {screen.width() - frameAllowanceWidth, screen.height() - frameAllowanceHeight};
}

QSizeF Form2::roomBesideDock() const
{
    const QSizeF room = screenRoom();
    if (!dock_) return room;
    const double dockWidth
        = pixelsToTwips(dock_->frameGeometry().width(), ScreenTwips::dpiX(dock_));
    return {room.width() - dockWidth - dockingGap, room.height() - dockingGap};
}

void Form2::syncField(int index)
{
    const FieldItem &item = design_->field(index);
    const QRectF rect = item.rect();
    placeItem(label1_.at(static_cast<size_t>(index)),
        {item.left, item.top, static_cast<Twips>(rect.width()), static_cast<Twips>(rect.height())},
        item.visible);
}

void Form2::syncCodeImage()
{
    const CodeImageItem &image = design_->codeImage();
    placeItem(image1_, image.geometry, image.visible);
}

void Form2::syncBarcode()
{
    const BarcodeHolderItem &holder = design_->barcodeHolder();
    placeItem(picture2_, holder.geometry, holder.visible);
    place(barCodeCtrl1_, design_->barcodeGeometry());
    barCodeCtrl1_->setVisible(design_->barcodeVisible());
}

QPointF Form2::pointerOnItem(
    const QWidget *itemWidget, const QMouseEvent *event, QPointF itemTopLeft) const
{
    return view_.toTwips(itemWidget->mapTo(picture1_, event->position())) - itemTopLeft;
}

bool Form2::recordGrab(int button, Twips x, Twips y)
{
    if (button != leftButton) return false;
    grabX_ = x;
    grabY_ = y;
    drag_ = history_.beginDrag();
    return true;
}

void Form2::routeMouse(CanvasItemWidget *widget, const std::function<QPointF()> &itemTopLeft,
    const std::function<void(int, Twips, Twips)> &mouseDown,
    const std::function<void(int, Twips, Twips)> &mouseMove)
{
    connect(widget, &CanvasItemWidget::pressed, this, [=, this](QMouseEvent *event) {
        const QPointF at = pointerOnItem(widget, event, itemTopLeft());
        mouseDown(event->button(), static_cast<Twips>(at.x()), static_cast<Twips>(at.y()));
    });
    connect(widget, &CanvasItemWidget::moved, this, [=, this](QMouseEvent *event) {
        const QPointF at = pointerOnItem(widget, event, itemTopLeft());
        mouseMove(event->buttons(), static_cast<Twips>(at.x()), static_cast<Twips>(at.y()));
    });
}

bool Form2::drag(int buttons, Twips x, Twips y, Twips &left, Twips &top) const
{
    // Only the left button alone drags; left and right together do nothing.
    if (buttons != leftButton) return false;
    left = left + (x - grabX_);
    top = top + (y - grabY_);
    return true;
}

void Form2::record(const QString &text, const std::function<void()> &change)
{
    history_.record(*design_, text, change);
}

void Form2::recordMove(const QString &text, const std::function<void()> &change)
{
    history_.recordMove(*design_, drag_, text, change);
}

void Form2::Label1_MouseDown(int index, int button, Twips x, Twips y)
{
    if (button == rightButton) {
        delIndex_ = index;
        dialogs_.popupMenu(*mmu_, QCursor::pos());
    }
    recordGrab(button, x, y);
}

void Form2::Label1_MouseMove(int index, int button, Twips x, Twips y)
{
    Twips left = design_->field(index).left;
    Twips top = design_->field(index).top;
    if (drag(button, x, y, left, top))
        recordMove(QStringLiteral("移动数据项"), [&] { design_->moveField(index, left, top); });
}

void Form2::Label1_DblClick(int index)
{
    commonDialog_.setCancelError(true);
    commonDialog_.setFlags(0x103); // screen and printer fonts, with the effects group (colour)
    if (!commonDialog_.showFont()) return;
    const FontChoice &choice = commonDialog_.fontChoice();
    record(QStringLiteral("设置字体"), [&] {
        design_->setFieldFont(index, choice.font);
        design_->setFieldForeColor(index, choice.color);
    });
}

void Form2::popupChoices(QMenu *menu, int current)
{
    for (QAction *action : menu->actions())
        action->setChecked(action->data().toInt() == current);
    dialogs_.popupMenu(*menu, QCursor::pos());
}

void Form2::Image1_MouseDown(int button, Twips x, Twips y)
{
    if (button == rightButton) popupChoices(qrLevelMenu_, static_cast<int>(design_->qrLevel()));
    recordGrab(button, x, y);
}

void Form2::Image1_MouseMove(int button, Twips x, Twips y)
{
    TwipsRect geometry = design_->codeImage().geometry;
    if (drag(button, x, y, geometry.left, geometry.top))
        recordMove(QStringLiteral("移动二维码"), [&] { design_->setCodeImageGeometry(geometry); });
}

void Form2::Picture2_MouseDown(int button, Twips x, Twips y)
{
    if (button == rightButton)
        popupChoices(barcodeTypeMenu_, static_cast<int>(design_->barcodeType()));
    recordGrab(button, x, y);
}

void Form2::Picture2_MouseMove(int button, Twips x, Twips y)
{
    TwipsRect holder = design_->barcodeHolder().geometry;
    if (!drag(button, x, y, holder.left, holder.top)) return;
    recordMove(QStringLiteral("移动条形码"), [&] {
        design_->setBarcodeHolderGeometry(holder);
        // The barcode goes back to its place inside the holder after every move.
        TwipsRect barcode = design_->barcodeGeometry();
        barcode.top = 0;
        barcode.left = -400;
        design_->setBarcodeGeometry(barcode);
    });
}

void Form2::del_Click()
{
    record(QStringLiteral("删除数据项"), [this] { design_->setFieldVisible(delIndex_, false); });
}

void Form2::barcodeType_Click(BarcodeType type)
{
    record(QStringLiteral("设置条形码类型"), [this, type] { design_->setBarcodeType(type); });
}

void Form2::qrLevel_Click(QrLevel level)
{
    record(QStringLiteral("设置二维码纠错等级"), [this, level] { design_->setQrLevel(level); });
}

} // namespace tagloom
