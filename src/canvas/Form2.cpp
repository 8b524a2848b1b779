// The canvas window: item widgets that follow the design, the mouse handlers and the item menus.
#include "Form2.h"

#include "CanvasItemWidget.h"
#include "CanvasWidget.h"
#include "DesignHistory.h"
#include "LabelDesign.h"
#include "TextBoxDialog.h"
#include "TextItemDialog.h"
#include "app/ControlName.h"
#include "app/ScreenTwips.h"

#include <QActionGroup>
#include <QLabel>
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
    for (int index = 0; index < design.textItemCount(); ++index)
        addTextItemWidget(index);

    // Over the label, drawn by the window and never printed.
    stretchNote_ = new QLabel(this);
    stretchNote_->setObjectName(QStringLiteral("StretchNote"));
    stretchNote_->setWordWrap(true);
    stretchNote_->setAttribute(Qt::WA_TransparentForMouseEvents);
    stretchNote_->setAutoFillBackground(true);
    QPalette notePalette = stretchNote_->palette();
    notePalette.setColor(QPalette::Window, QColor(0xff, 0xf3, 0xb0));
    notePalette.setColor(QPalette::WindowText, Qt::black);
    stretchNote_->setPalette(notePalette);
    stretchNote_->setMargin(3);
    stretchNote_->hide();

    mmu_ = new QMenu(QStringLiteral("菜单"), this);
    mmu_->setObjectName(QStringLiteral("mmu"));
    QAction *del = mmu_->addAction(QStringLiteral("删除"));
    del->setObjectName(QStringLiteral("del"));
    connect(del, &QAction::triggered, this, &Form2::del_Click);
    mmu_->addSeparator();
    connect(mmu_->addAction(QStringLiteral("文字宽度…")), &QAction::triggered, this, [this] {
        const int index = delIndex_;
        chooseBox(design_->field(index).box, [this, index](const TextBox &box) {
            record(QStringLiteral("设置文字宽度"), [&] { design_->setFieldBox(index, box); });
        });
    });

    textMenu_ = new QMenu(QStringLiteral("文本"), this);
    textMenu_->setObjectName(QStringLiteral("TextItemMenu"));
    connect(textMenu_->addAction(QStringLiteral("编辑文本…")), &QAction::triggered, this,
        [this] { editTextItem(menuTextItem_); });
    connect(textMenu_->addAction(QStringLiteral("文字宽度…")), &QAction::triggered, this, [this] {
        const int index = menuTextItem_;
        chooseBox(design_->textItem(index).box, [this, index](const TextBox &box) {
            FieldItem item = design_->textItem(index);
            item.box = box;
            record(QStringLiteral("设置文字宽度"), [&] { design_->setTextItem(index, item); });
        });
    });
    connect(textMenu_->addAction(QStringLiteral("删除")), &QAction::triggered, this, [this] {
        const int index = menuTextItem_;
        record(QStringLiteral("删除文本"), [&] { design_->removeTextItem(index); });
    });

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
    // What a code carries, when not the chosen column's cell: a text with fields.
    qrLevelMenu_->addSeparator();
    connect(qrLevelMenu_->addAction(QStringLiteral("内容…")), &QAction::triggered, this, [this] {
        chooseCodeText(QStringLiteral("二维码内容"), design_->codeImage().textTemplate,
            [this](const QString &text) {
                record(
                    QStringLiteral("设置二维码内容"), [&] { design_->setCodeImageTemplate(text); });
            });
    });
    barcodeTypeMenu_->addSeparator();
    connect(
        barcodeTypeMenu_->addAction(QStringLiteral("内容…")), &QAction::triggered, this, [this] {
            chooseCodeText(QStringLiteral("条形码内容"), design_->barcodeHolder().textTemplate,
                [this](const QString &text) {
                    record(QStringLiteral("设置条形码内容"),
                        [&] { design_->setBarcodeTemplate(text); });
                });
        });
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
    connect(&design, &LabelDesign::physicalSizeChanged, this, [this] {
        picture1_->update(); // the codes' dots follow the printed size
        syncStretchNote();
    });
    connect(&design, &LabelDesign::fieldAdded, this, &Form2::addFieldWidget);
    connect(&design, &LabelDesign::fieldsUnloaded, this, &Form2::removeFieldWidgets);
    connect(&design, &LabelDesign::fieldChanged, this, &Form2::syncField);
    connect(&design, &LabelDesign::textItemAdded, this, &Form2::addTextItemWidget);
    connect(&design, &LabelDesign::textItemRemoved, this, &Form2::removeTextItemWidget);
    connect(&design, &LabelDesign::textItemChanged, this, &Form2::syncTextItem);
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

void Form2::setPrinterDotsPerInch(const std::optional<double> &dotsPerInch)
{
    picture1_->setPrinterDotsPerInch(dotsPerInch);
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

void Form2::addTextItemWidget(int index)
{
    auto *widget = new CanvasItemWidget(controlName("TextItem", index), picture1_);
    widget->setAttribute(Qt::WA_TransparentForMouseEvents, picture1_->showsRow());
    textItems_.push_back(widget);
    routeMouse(
        widget, [this, index] { return design_->textItem(index).rect().topLeft(); },
        [this, index](int button, Twips x, Twips y) { TextItem_MouseDown(index, button, x, y); },
        [this, index](int buttons, Twips x, Twips y) { TextItem_MouseMove(index, buttons, x, y); });
    connect(widget, &CanvasItemWidget::doubleClicked, this,
        [this, index](QMouseEvent *) { TextItem_DblClick(index); });
    widget->raise();
    syncTextItem(index);
}

void Form2::removeTextItemWidget()
{
    // The widgets stand for the items by their place: the last one goes, the others follow
    // the items now at their places. It goes once its events are done: "删除" on its own menu
    // removes it while it is handling the right button's press.
    textItems_.back()->hide();
    textItems_.back()->deleteLater();
    textItems_.pop_back();
    for (int index = 0; index < design_->textItemCount(); ++index)
        syncTextItem(index);
    picture1_->update();
}

void Form2::syncTextItem(int index)
{
    const FieldItem &item = design_->textItem(index);
    const QSizeF size = item.size();
    placeItem(textItems_.at(static_cast<size_t>(index)),
        {item.left, item.top, static_cast<Twips>(size.width()), static_cast<Twips>(size.height())},
        item.visible);
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
    for (int index = 0; index < design_->textItemCount(); ++index)
        syncTextItem(index);
    syncCodeImage();
    syncBarcode();
    syncStretchNote();
}

void Form2::syncStretchNote()
{
    stretchNote_->setVisible(design_->isStretched());
    if (!design_->isStretched()) return;
    const QSizeF millimetres = design_->printedSize() / twipsPerMillimetre;
    const QSizeF scale = design_->printScale();
    const double across = scale.width() / scale.height();
    stretchNote_->setText(
        QStringLiteral("标签尺寸 %1 × %2 毫米与图片的比例不同：打印出来横向%3到 %4%。")
            .arg(millimetres.width(), 0, 'f', 1)
            .arg(millimetres.height(), 0, 'f', 1)
            .arg(across < 1 ? QStringLiteral("压缩") : QStringLiteral("拉伸"))
            .arg(qRound(across * 100)));
    stretchNote_->setFixedWidth(picture1_->width());
    stretchNote_->setFixedHeight(stretchNote_->heightForWidth(picture1_->width()));
    stretchNote_->move(0, 0);
    stretchNote_->raise();
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

void Form2::chooseFont(const std::function<void(const FontChoice &)> &apply)
{
    commonDialog_.setCancelError(true);
    commonDialog_.setFlags(0x103); // screen and printer fonts, with the effects group (colour)
    // The dialog shows and takes the size the text prints at.
    if (!commonDialog_.showFont(design_->printScale().height())) return;
    apply(commonDialog_.fontChoice());
}

void Form2::Label1_DblClick(int index)
{
    chooseFont([this, index](const FontChoice &choice) {
        record(QStringLiteral("设置字体"), [&] {
            design_->setFieldFont(index, choice.font);
            design_->setFieldForeColor(index, choice.color);
        });
    });
}

void Form2::chooseBox(const TextBox &box, const std::function<void(const TextBox &)> &apply)
{
    const double printedScale = design_->printedSize().width() / design_->scaleWidth();
    auto *dialog = new TextBoxDialog(box, printedScale, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TextBoxDialog::boxChosen, this, apply);
    dialog->open();
}

void Form2::addTextItem()
{
    auto *dialog = new TextItemDialog(
        QStringLiteral("添加文本"), QString(), headers_ ? headers_() : QStringList(), false, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TextItemDialog::textChosen, this, [this](const QString &text) {
        FieldItem item = LabelDesign::newTextItem();
        item.caption = text;
        // Where the canvas shows its top left, also when the label is larger than the screen.
        item.left = item.top = 300;
        record(QStringLiteral("添加文本"), [&] { design_->addTextItem(item); });
    });
    dialog->open();
}

void Form2::chooseCodeText(
    const QString &title, const QString &text, const std::function<void(const QString &)> &apply)
{
    auto *dialog
        = new TextItemDialog(title, text, headers_ ? headers_() : QStringList(), true, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TextItemDialog::textChosen, this, apply);
    dialog->open();
}

void Form2::editTextItem(int index)
{
    auto *dialog = new TextItemDialog(QStringLiteral("编辑文本"), design_->textItem(index).caption,
        headers_ ? headers_() : QStringList(), false, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &TextItemDialog::textChosen, this, [this, index](const QString &text) {
        FieldItem item = design_->textItem(index);
        item.caption = text;
        record(QStringLiteral("编辑文本"), [&] { design_->setTextItem(index, item); });
    });
    dialog->open();
}

void Form2::TextItem_MouseDown(int index, int button, Twips x, Twips y)
{
    if (button == rightButton) {
        menuTextItem_ = index;
        dialogs_.popupMenu(*textMenu_, QCursor::pos());
    }
    recordGrab(button, x, y);
}

void Form2::TextItem_MouseMove(int index, int button, Twips x, Twips y)
{
    FieldItem item = design_->textItem(index);
    if (drag(button, x, y, item.left, item.top))
        recordMove(QStringLiteral("移动文本"), [&] { design_->setTextItem(index, item); });
}

void Form2::TextItem_DblClick(int index)
{
    chooseFont([this, index](const FontChoice &choice) {
        FieldItem item = design_->textItem(index);
        item.font = choice.font;
        item.foreColor = choice.color;
        record(QStringLiteral("设置字体"), [&] { design_->setTextItem(index, item); });
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
