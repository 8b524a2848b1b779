// The canvas window: the label as it will print. It shows the label design, sizes itself to the
// label picture and lets the user arrange the items with the mouse.
#pragma once

#include "CanvasViewScale.h"
#include "LabelRow.h"
#include "Twips.h"
#include "app/ClosableWindow.h"
#include "app/CommonDialog.h"
#include "codes/BarcodeType.h"
#include "codes/QrLevel.h"

#include <functional>
#include <optional>
#include <vector>

class QMenu;
class QMouseEvent;

namespace tagloom {

class CanvasItemWidget;
class CanvasWidget;
class DesignHistory;
class LabelDesign;

class Form2 : public ClosableWindow
{
    Q_OBJECT

public:
    // The person's changes to the design are recorded in `history`.
    Form2(LabelDesign &design, DesignHistory &history, DialogProvider &dialogs);

    CommonDialog &commonDialog() { return commonDialog_; }

    // The window's Width and Height in twips as the sizing rule sets them: the picture as shown
    // plus room for a title bar and frame. The client area itself is exactly the picture.
    Twips windowWidth() const { return windowWidth_; }
    Twips windowHeight() const { return windowHeight_; }
    // The picture's width as shown, in screen twips: its ScaleWidth while the window fits on the
    // screen, less when the view is scaled down to fit.
    Twips shownWidth() const { return shownWidth_; }
    const CanvasViewScale &view() const { return view_; }

    // The window the canvas is docked beside (the main window). A picture too large for the
    // screen is shown scaled down to fit in the room that window leaves, so that the whole label
    // can be seen and reached while it stays docked.
    void dockBeside(const QWidget *window);

    // Shows the label filled with a data row, as it will print, or the design again (nothing).
    // The design stays as it is.
    void showRow(std::optional<LabelRow> row);
    bool showsRow() const;

    // Cuts the window off its design, which goes away when the window is closed.
    void detach();

    // The item editing handlers. Positions are twips from the item's top-left corner; buttons are
    // 1 left, 2 right, 4 middle (in MouseMove the sum of the buttons held).
    void Label1_MouseDown(int index, int button, Twips x, Twips y);
    void Label1_MouseMove(int index, int button, Twips x, Twips y);
    void Label1_DblClick(int index);
    void Image1_MouseDown(int button, Twips x, Twips y);
    void Image1_MouseMove(int button, Twips x, Twips y);
    void Picture2_MouseDown(int button, Twips x, Twips y);
    void Picture2_MouseMove(int button, Twips x, Twips y);
    void del_Click();
    // The menus of the barcode holder and the QR code image (right button): the barcode's type
    // and the QR code's error correction level, each one step of the history.
    void barcodeType_Click(BarcodeType type);
    void qrLevel_Click(QrLevel level);

    Twips grabX() const { return grabX_; }
    Twips grabY() const { return grabY_; }
    int delIndex() const { return delIndex_; }

private:
    void addFieldWidget(int index);
    void removeFieldWidgets(int count);
    void syncPicture();
    // The picture's room on the screen, and beside the window it docks at, in screen twips.
    QSizeF screenRoom() const;
    QSizeF roomBesideDock() const;
    void syncField(int index);
    void syncCodeImage();
    void syncBarcode();
    void place(QWidget *widget, const TwipsRect &rect) const;
    void placeItem(QWidget *widget, const TwipsRect &rect, bool visible);
    // The pointer's position relative to an item's top-left corner, in twips, measured from the
    // item's exact place so that a long drag does not drift with pixel rounding.
    QPointF pointerOnItem(
        const QWidget *itemWidget, const QMouseEvent *event, QPointF itemTopLeft) const;
    bool recordGrab(int button, Twips x, Twips y);
    // Opens a menu of choices with the current one checked.
    void popupChoices(QMenu *menu, int current);
    // Hands an item widget's mouse presses and moves to the item's handlers, in twips.
    void routeMouse(CanvasItemWidget *widget, const std::function<QPointF()> &itemTopLeft,
        const std::function<void(int, Twips, Twips)> &mouseDown,
        const std::function<void(int, Twips, Twips)> &mouseMove);
    // Moves left and top by the pointer's way from the grab point while the left button alone is
    // held; false, changing nothing, otherwise.
    bool drag(int buttons, Twips x, Twips y, Twips &left, Twips &top) const;
    // Makes a change of the person's as one step of the history; the moves of the drag under
    // way make one step together.
    void record(const QString &text, const std::function<void()> &change);
    void recordMove(const QString &text, const std::function<void()> &change);

    LabelDesign *design_;
    DesignHistory &history_;
    DialogProvider &dialogs_;
    CommonDialog commonDialog_;
    CanvasWidget *picture1_;
    CanvasItemWidget *picture2_;
    QWidget *barCodeCtrl1_;
    CanvasItemWidget *image1_;
    std::vector<CanvasItemWidget *> label1_;
    QMenu *mmu_;
    QMenu *barcodeTypeMenu_;
    QMenu *qrLevelMenu_;
    const QWidget *dock_ = nullptr;
    CanvasViewScale view_;
    Twips shownWidth_ = 0;
    Twips windowWidth_ = 0;
    Twips windowHeight_ = 0;
    Twips grabX_ = 0;
    Twips grabY_ = 0;
    int delIndex_ = 0;
    int drag_ = 0; // the drag the left button's last press began
};

} // namespace tagloom
