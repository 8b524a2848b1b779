// Arranging the label with the mouse: drags, the right-click menus and the font dialog, driven
// through the canvas window the way the window system delivers pointer events.
#include "app/ScreenTwips.h"
#include "canvas/FontDialog.h"
#include "canvas/LabelDesign.h"
#include "canvas/TextBoxDialog.h"
#include "canvas/TextItemDialog.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/TestProgram.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>
#include <QWindow>

using namespace tagloom;
using namespace tagloom::test;

Q_DECLARE_METATYPE(tagloom::FontChoice)

namespace {

// A program as a user leaves it before arranging the label (picture, workbook, field items, both
// codes), with pointer events sent to the canvas window at points of Picture1 in pixels: Qt hands
// them to the item under the pointer, or to the item pressed while a button is held.
struct Canvas
{
    explicit Canvas(const QString &workbook)
    {
        program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
        program.click("Command1");
        program.dialogs.answerOpen(workbook);
        program.click("Command2");
        program.dialogs.answerMessage();
        for (const char *command : {"Command3", "Command4", "Command5"})
            program.click(command);
        QVERIFY(program.dialogs.allAnswered());
        QVERIFY(QTest::qWaitForWindowExposed(&form2, 30000));
        // The codes drawn exact, as in PDF, whatever printer this machine has.
        program.panel().setPrinterDotsPerInch(std::nullopt);
    }

    QWidget *widget(const QString &name) { return form2.findChild<QWidget *>(name); }
    QPoint centreOf(const QString &item) { return widget(item)->geometry().center(); }
    void mouse(QTest::MouseAction action, int button, QPoint at)
    {
        QTest::mouseEvent(action, form2.windowHandle(), Qt::MouseButton(button), {}, at);
    }
    void glide(QPoint from, QPoint to, int steps)
    {
        for (int step = 1; step <= steps; ++step)
            mouse(QTest::MouseMove, Qt::NoButton, from + (to - from) * step / steps);
    }
    double twipsPerPixel() { return 1440.0 / ScreenTwips::dpiX(&form2); }
    QPointF grab() const { return {form2.grabX(), form2.grabY()}; }

    // An item's place and size by its control name ("Label1(2)", "Image1", "Picture2").
    TwipsRect rectOf(const QString &item)
    {
        if (item == "Image1") return design.codeImage().geometry;
        if (item == "Picture2") return design.barcodeHolder().geometry;
        const QRectF rect = design.field(item.mid(7, 1).toInt()).rect();
        return {float(rect.x()), float(rect.y()), float(rect.width()), float(rect.height())};
    }
    QPointF placeOf(const QString &item) { return rectOf(item).toRectF().topLeft(); }
    void putAt(const QString &item, QPointF at)
    {
        TwipsRect rect = rectOf(item);
        rect.left = float(at.x());
        rect.top = float(at.y());
        if (item == "Image1")
            design.setCodeImageGeometry(rect);
        else if (item == "Picture2")
            design.setBarcodeHolderGeometry(rect);
        else
            design.moveField(item.mid(7, 1).toInt(), rect.left, rect.top);
    }
    // Where an item's mouse surface belongs for its place in the design.
    QRect pixelsOf(const QString &item)
    {
        return twipsToPixelRect(rectOf(item), ScreenTwips::dpiX(&form2), ScreenTwips::dpiY(&form2));
    }

    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    Form2 &form2 = *program.forms.form2(); // its client area is Picture1
};

} // namespace

class CanvasEditingTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void dragsMoveByThePointerOffset_data();
    void dragsMoveByThePointerOffset();
    void otherButtonsMoveNothing_data();
    void otherButtonsMoveNothing();
    void theMenuActsOnTheItemItWasOpenedOn();
    void theCodeMenusChooseTheTypeAndTheLevel();
    void fontDialogCopiesOrChangesNothing();
    void fontDialogShowsAndTakesThePrintedSize();
    void fontDialogOpensOnItsValues_data();
    void fontDialogOpensOnItsValues();
    void aTextItemIsAddedMovedFittedAndRemoved();

private:
    QTemporaryDir scratch_;
    QString workbook_;
};

void CanvasEditingTest::initTestCase()
{
    workbook_ = scratch_.filePath(QStringLiteral("items.xls"));
    QVERIFY(writeWorkbook(workbook_, {{"SKU", "名称", "价"}, {"A-1", "茶杯", "=3.5"}}));
}

void CanvasEditingTest::dragsMoveByThePointerOffset_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QPointF>("start"); // twips; null keeps the item where it is
    QTest::addColumn<QPoint>("offset"); // pixels
    QTest::addColumn<int>("steps");
    QTest::newRow("field item") << "Label1(2)" << QPointF() << QPoint(37, -12) << 1;
    QTest::newRow("field item at fractional twips")
        << "Label1(1)" << QPointF(1999.75, 317.25) << QPoint(-5, 9) << 1;
    QTest::newRow("field item past the top left edge")
        << "Label1(3)" << QPointF() << QPoint(-160, -80) << 4;
    QTest::newRow("QR code image at fractional twips")
        << "Image1" << QPointF(2760.5, 359.75) << QPoint(-11, -3) << 2;
    QTest::newRow("long drag of a field item")
        << "Label1(2)" << QPointF(2000.25, 600.75) << QPoint(171, 53) << 400;
    QTest::newRow("long drag of the holder")
        << "Picture2" << QPointF(120.5, 2400.25) << QPoint(-97, 64) << 300;
}

void CanvasEditingTest::dragsMoveByThePointerOffset()
{
    QFETCH(QString, item);
    QFETCH(QPointF, start);
    QFETCH(QPoint, offset);
    QFETCH(int, steps);
    Canvas a(workbook_);
    if (!start.isNull()) a.putAt(item, start);
    start = a.placeOf(item);
    // Whatever moved the barcode, a holder drag puts it back.
    a.design.setBarcodeGeometry({250, -35, 8000, 1000});

    const QPoint from = a.centreOf(item);
    a.mouse(QTest::MousePress, Qt::LeftButton, from);
    QCOMPARE(a.grab(), from * a.twipsPerPixel() - start);
    a.glide(from, from + offset, steps);
    a.mouse(QTest::MouseRelease, Qt::LeftButton, from + offset);

    const QPointF expected = start + QPointF(offset) * a.twipsPerPixel();
    QCOMPARE(a.placeOf(item), QPointF(float(expected.x()), float(expected.y())));
    QCOMPARE(a.widget(item)->geometry(), a.pixelsOf(item));
    QCOMPARE(a.design.barcodeGeometry(),
        (item == "Picture2" ? TwipsRect {-400, 0, 8000, 1000} : TwipsRect {250, -35, 8000, 1000}));
}

void CanvasEditingTest::otherButtonsMoveNothing_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QList<int>>("buttons"); // pressed in this order at the same point
    const int left = Qt::LeftButton, right = Qt::RightButton, middle = Qt::MiddleButton;
    QTest::newRow("right on a field item") << "Label1(1)" << QList<int> {right};
    QTest::newRow("middle on a field item") << "Label1(1)" << QList<int> {middle};
    QTest::newRow("left and right on a field item") << "Label1(2)" << QList<int> {left, right};
    QTest::newRow("right and left on a field item") << "Label1(3)" << QList<int> {right, left};
    QTest::newRow("right on the QR code image") << "Image1" << QList<int> {right};
    QTest::newRow("middle and left on the QR code image") << "Image1" << QList<int> {middle, left};
    QTest::newRow("left and middle on the holder") << "Picture2" << QList<int> {left, middle};
    QTest::newRow("right on the holder") << "Picture2" << QList<int> {right};
}

void CanvasEditingTest::otherButtonsMoveNothing()
{
    QFETCH(QString, item);
    QFETCH(QList<int>, buttons);
    Canvas a(workbook_);
    const QPointF start = a.placeOf(item);
    const QPointF grabBefore = a.grab();
    const QPoint from = a.centreOf(item);
    for (int button : buttons) {
        if (button == Qt::RightButton) a.program.dialogs.answerPopup(QString()); // dismissed
        a.mouse(QTest::MousePress, button, from);
    }
    a.glide(from, from + QPoint(25, 15), 3);
    QCOMPARE(a.placeOf(item), start);
    QVERIFY(a.program.dialogs.allAnswered());
    const bool withLeft = buttons.contains(Qt::LeftButton);
    if (!withLeft) QCOMPARE(a.grab(), grabBefore);

    // Once the left button is held alone again, the drag goes on from the point it grabbed.
    for (int button : buttons) {
        if (button != Qt::LeftButton) a.mouse(QTest::MouseRelease, button, from + QPoint(25, 15));
    }
    a.mouse(QTest::MouseMove, Qt::NoButton, from + QPoint(30, 20));
    QCOMPARE(a.placeOf(item), withLeft ? start + QPointF(30, 20) * a.twipsPerPixel() : start);
    if (withLeft) a.mouse(QTest::MouseRelease, Qt::LeftButton, from + QPoint(30, 20));
}

void CanvasEditingTest::theMenuActsOnTheItemItWasOpenedOn()
{
    Canvas a(workbook_);
    const QPoint onA = a.centreOf("Label1(1)");
    const QPoint onB = a.centreOf("Label1(3)");
    const QPointF placeOfA = a.placeOf("Label1(1)");

    a.program.dialogs.answerPopup(QStringLiteral("删除"));
    a.mouse(QTest::MouseClick, Qt::RightButton, onA);
    QCOMPARE(a.form2.delIndex(), 1);
    a.program.dialogs.answerPopup(QString());
    a.mouse(QTest::MouseClick, Qt::RightButton, onB);
    QCOMPARE(a.form2.delIndex(), 3);
    QVERIFY(a.program.dialogs.allAnswered());
    QCOMPARE(QList<bool>(
                 {a.design.field(1).visible, a.design.field(2).visible, a.design.field(3).visible}),
        QList<bool>({false, true, true}));
    QVERIFY(!a.widget("Label1(1)")->isVisible());
    QCOMPARE(a.placeOf("Label1(1)"), placeOfA);

    // The hidden item gets no mouse: no menu (the scripted dialogs would fail), no grab, no drag.
    a.mouse(QTest::MouseClick, Qt::RightButton, onA);
    const QPointF grab = a.grab();
    a.mouse(QTest::MousePress, Qt::LeftButton, onA);
    a.glide(onA, onA + QPoint(10, 10), 2);
    a.mouse(QTest::MouseRelease, Qt::LeftButton, onA + QPoint(10, 10));
    QCOMPARE(a.grab(), grab);
    QCOMPARE(a.placeOf("Label1(1)"), placeOfA);

    // Generating again brings it back under the mouse.
    a.program.click("Command3");
    a.program.dialogs.answerPopup(QStringLiteral("删除"));
    a.mouse(QTest::MouseClick, Qt::RightButton, onA);
    QVERIFY(a.program.dialogs.allAnswered());
    QVERIFY(!a.design.field(1).visible);
}

// The holder's menu chooses the barcode's type, the QR code image's its level, which the canvas
// shows. (Both are steps of the history: DesignHistoryTest.)
void CanvasEditingTest::theCodeMenusChooseTheTypeAndTheLevel()
{
    Canvas a(workbook_);
    a.program.dialogs.answerPopup(QStringLiteral("EAN-13"));
    a.mouse(QTest::MouseClick, Qt::RightButton, a.centreOf("Picture2"));
    a.program.dialogs.answerPopup(QStringLiteral("纠错等级 H（约30%可恢复）"));
    a.mouse(QTest::MouseClick, Qt::RightButton, a.centreOf("Image1"));
    QVERIFY(a.program.dialogs.allAnswered());
    QCOMPARE(a.design.barcodeType(), BarcodeType::Ean13);
    QCOMPARE(a.design.qrLevel(), QrLevel::H);
    QVERIFY(a.design.qrCodeInserted());
    QCOMPARE(findQr(a.form2.grab().toImage().scaled(a.form2.size() * 3))->ecLevel, "H");
}

void CanvasEditingTest::fontDialogCopiesOrChangesNothing()
{
    Canvas a(workbook_);
    const FieldItem before = a.design.field(2);
    const FontChoice first = a.form2.commonDialog().fontChoice();
    const FontChoice chosen {
        {"DejaVu Serif", 20.5F, true, true, true, true}, QColor(0xd0, 0x10, 0x20)};
    auto opened = [&](const FontChoice &initial) {
        const ScriptedDialogs::Shown &shown = a.program.dialogs.shown().last();
        return shown.kind == ScriptedDialogs::Kind::Font && shown.fontFlags == 259
            && shown.fontInitial == initial;
    };

    // Cancel: the double-click's press records the grab point, and nothing moves or changes.
    const QPoint at = a.widget("Label1(2)")->geometry().topLeft() + QPoint(4, 3);
    a.program.dialogs.cancelFont();
    a.mouse(QTest::MouseDClick, Qt::LeftButton, at);
    QVERIFY(opened(first));
    QCOMPARE(a.grab(), at * a.twipsPerPixel() - a.placeOf("Label1(2)"));
    const FieldItem &item = a.design.field(2);
    QCOMPARE(item.rect(), before.rect());
    QCOMPARE(FontChoice({item.font, item.foreColor}), FontChoice({before.font, before.foreColor}));

    // OK: every attribute and the colour copied, the place kept, the size following the font.
    a.program.dialogs.answerFont(chosen);
    a.mouse(QTest::MouseDClick, Qt::LeftButton, at);
    QVERIFY(opened(first));
    QCOMPARE(FontChoice({item.font, item.foreColor}), chosen);
    QCOMPARE(item.rect().topLeft(), before.rect().topLeft());
    QVERIFY(item.size().width() > before.size().width()
        && item.size().height() > before.size().height());
    QCOMPARE(a.widget("Label1(2)")->geometry(), a.pixelsOf("Label1(2)"));
    const QImage drawn = a.widget("Picture1")->grab(a.pixelsOf("Label1(2)")).toImage();
    int inColour = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            inColour += drawn.pixelColor(x, y) == chosen.color;
    QVERIFY(inColour > 20); // the canvas draws the text in that colour

    // Cancel again: the dialog opens on its previous choice and the font set before stays.
    a.program.dialogs.cancelFont();
    a.mouse(QTest::MouseDClick, Qt::LeftButton, at);
    QVERIFY(opened(chosen));
    QCOMPARE(FontChoice({item.font, item.foreColor}), chosen);
    QVERIFY(a.program.dialogs.allAnswered());

    // A canvas that comes back after closing starts its dialog afresh.
    a.program.dialogs.answerMessage(MessageAnswer::Discard); // the changed design, unsaved
    a.form2.close();
    TestProgram::settle();
    QCOMPARE(a.program.forms.form2()->commonDialog().fontChoice(), first);
}

void CanvasEditingTest::fontDialogShowsAndTakesThePrintedSize()
{
    Canvas a(workbook_);
    const QPoint at = a.widget("Label1(2)")->geometry().topLeft() + QPoint(4, 3);
    const auto sizeShown = [&](float chosen) {
        a.program.dialogs.answerFont({{"DejaVu Sans", chosen}, Qt::black});
        a.mouse(QTest::MouseDClick, Qt::LeftButton, at);
        return a.program.dialogs.shown().last().fontInitial.font.pointSize;
    };
    // The label given 40 % of its size by pixels: 9 points kept print at 3.6.
    a.design.setPhysicalSize(QSizeF(a.design.scaleWidth(), a.design.scaleHeight()) * 0.4);
    QCOMPARE(sizeShown(12), 3.6F);
    QCOMPARE(a.design.field(2).font.pointSize, 30.0F);
    // Printed at 15 twips a pixel, the size kept is the size printed.
    a.design.setPhysicalSize(std::nullopt);
    QCOMPARE(sizeShown(12), 30.0F);
    QCOMPARE(a.design.field(2).font.pointSize, 12.0F);
}

void CanvasEditingTest::fontDialogOpensOnItsValues_data()
{
    QTest::addColumn<FontChoice>("initial");
    QTest::newRow("plain") << FontChoice {{"DejaVu Sans", 9.0F}, Qt::black};
    QTest::newRow("a face this system lacks") << FontChoice {{"SimSun", 9.0F}, Qt::black};
    QTest::newRow("fractional size, effects, colour") << FontChoice {
        {"WenQuanYi Micro Hei", 10.5F, true, false, true, false}, QColor(0x12, 0x80, 0xfe)};
    QTest::newRow("large, italic, struck")
        << FontChoice {{"DejaVu Serif", 72.25F, false, true, false, true}, QColor(Qt::darkGreen)};
}

void CanvasEditingTest::fontDialogOpensOnItsValues()
{
    QFETCH(FontChoice, initial);
    FontDialog dialog(initial, nullptr);
    QCOMPARE(dialog.choice(), initial);
    // A face picked in the dialog is the one it answers, whatever it opened on.
    dialog.findChild<QFontComboBox *>("family")->setCurrentFont(QFont("DejaVu Sans Mono"));
    QCOMPARE(dialog.choice().font.family, QStringLiteral("DejaVu Sans Mono"));
}

// A free text item through its dialogs and menu, each change one step of the history; the box
// width also through a field item's menu.
void CanvasEditingTest::aTextItemIsAddedMovedFittedAndRemoved()
{
    Canvas a(workbook_);
    const auto writeText = [&a](const QString &text) {
        auto *dialog = a.form2.findChild<TextItemDialog *>();
        QVERIFY(dialog && dialog->isVisible());
        dialog->findChild<QPlainTextEdit *>("TemplateText")->setPlainText(text);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
    };
    a.program.form1().findChild<QAction *>("AddTextAction")->trigger();
    writeText(QStringLiteral("¥{价"));
    QVERIFY(a.form2.findChild<QLabel *>("TemplateProblem")->text().contains("花括号不成对"));
    QCOMPARE(a.design.textItemCount(), 0);
    writeText(QStringLiteral("¥{价}"));
    QCOMPARE(a.design.textItemCount(), 1);
    QCOMPARE(a.design.textItem(0).caption, QStringLiteral("¥{价}"));
    TestProgram::settle();

    const QPoint at = a.centreOf("TextItem(0)");
    const QPointF place(a.design.textItem(0).left, a.design.textItem(0).top);
    a.mouse(QTest::MousePress, Qt::LeftButton, at);
    a.glide(at, at + QPoint(40, 25), 3);
    a.mouse(QTest::MouseRelease, Qt::LeftButton, at + QPoint(40, 25));
    QCOMPARE(QPointF(a.design.textItem(0).left, a.design.textItem(0).top),
        place + QPointF(40, 25) * a.twipsPerPixel());

    const auto fitBox = [&a](const QString &item) {
        a.program.dialogs.answerPopup(QStringLiteral("文字宽度…"));
        a.mouse(QTest::MouseClick, Qt::RightButton, a.centreOf(item));
        auto *dialog = a.form2.findChild<TextBoxDialog *>();
        QVERIFY(dialog);
        dialog->findChild<QDoubleSpinBox *>("BoxWidth")->setValue(20);
        dialog->findChild<QRadioButton *>("ShrinkFit")->setChecked(true);
        dialog->findChild<QDoubleSpinBox *>("SmallestSize")->setValue(7);
        dialog->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        TestProgram::settle();
    };
    fitBox("TextItem(0)");
    fitBox("Label1(2)");
    const TextBox fitted {float(20 * twipsPerMillimetre), TextBox::Fit::Shrink, 7};
    QCOMPARE(a.design.textItem(0).box, fitted);
    QCOMPARE(a.design.field(2).box, fitted);
    QCOMPARE(a.widget("TextItem(0)")->width(), qRound(20 * ScreenTwips::dpiX(&a.form2) / 25.4));

    a.program.dialogs.answerPopup(QStringLiteral("删除"));
    a.mouse(QTest::MouseClick, Qt::RightButton, a.centreOf("TextItem(0)"));
    QCOMPARE(a.design.textItemCount(), 0);
    QVERIFY(!a.widget("TextItem(0)"));
    QUndoStack &history = a.program.workspace.history().stack();
    QCOMPARE(history.undoText(), QStringLiteral("删除文本"));
    history.undo();
    QCOMPARE(a.design.textItem(0).box, fitted);
    for (const char *step : {"设置文字宽度", "设置文字宽度", "移动文本", "添加文本"}) {
        QCOMPARE(history.undoText(), QString::fromUtf8(step));
        history.undo();
    }
    QCOMPARE(a.design.textItemCount(), 0);
    QVERIFY(a.program.dialogs.allAnswered());
}

QTEST_MAIN(CanvasEditingTest)
#include "CanvasEditingTest.moc"
