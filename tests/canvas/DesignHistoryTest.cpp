// Undo and redo of the person's changes to the design: every kind of change taken back to the
// exact earlier state and made again, by the keys of both windows and by the "编辑" menu; a drag is
// one step; a change that changes nothing is none; what clears the history.
#include "canvas/CanvasItemWidget.h"
#include "canvas/LabelDesign.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "support/DesignText.h"
#include "support/Fixtures.h"
#include "support/TestProgram.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWindow>

using namespace tagloom;
using namespace tagloom::test;

namespace {

enum class Change {
    DragItem,
    DragImage,
    DragHolder,
    Font,
    Hide,
    Generate,
    ShowAgain,
    InsertQrCode,
    InsertBarcode,
    DeleteCodes,
    Sizes,
    BarcodeType,
    QrLevel,
};

// A program with the picture and the workbook chosen, and as far as asked the field items and
// both codes; pointer events go to the canvas window at points of Picture1 in pixels.
struct Design
{
    Design(const QString &workbook, bool items, bool codes)
    {
        program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
        program.click("Command1");
        program.dialogs.answerOpen(workbook);
        program.click("Command2");
        if (items) {
            program.dialogs.answerMessage();
            program.click("Command3");
        }
        if (codes) {
            program.click("Command4");
            program.click("Command5");
        }
        QVERIFY(program.dialogs.allAnswered());
        QVERIFY(QTest::qWaitForWindowExposed(&form2, 30000));
        program.workspace.history().startAfresh(); // the steps of the test's own start
    }

    QWidget *widget(const QString &name) { return form2.findChild<QWidget *>(name); }
    void mouse(QTest::MouseAction action, Qt::MouseButton button, QPoint at)
    {
        QTest::mouseEvent(action, form2.windowHandle(), button, {}, at);
    }
    void drag(const QString &item, QPoint offset, int steps)
    {
        const QPoint from = widget(item)->geometry().center();
        mouse(QTest::MousePress, Qt::LeftButton, from);
        for (int step = 1; step <= steps; ++step)
            mouse(QTest::MouseMove, Qt::NoButton, from + offset * step / steps);
        mouse(QTest::MouseRelease, Qt::LeftButton, from + offset);
    }
    // The design and the mouse surfaces the canvas has for it.
    QString state()
    {
        QStringList surfaces;
        for (const CanvasItemWidget *item : form2.findChildren<CanvasItemWidget *>()) {
            const QRect at = item->geometry();
            surfaces << QStringLiteral("%1 %2 %3 %4 %5 %6")
                            .arg(item->objectName())
                            .arg(at.x())
                            .arg(at.y())
                            .arg(at.width())
                            .arg(at.height())
                            .arg(item->isVisible());
        }
        surfaces.sort();
        return describe(design) + '\n' + surfaces.join('\n');
    }
    int steps() { return program.workspace.history().stack().count(); }
    void keys(QWidget *window, QKeyCombination combination)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window, 30000));
        QTest::keyClick(window, combination.key(), combination.keyboardModifiers());
    }
    QAction *menuEntry(const QString &text)
    {
        auto *button = program.control<QToolButton>("EditButton");
        for (QAction *action : button->menu()->actions()) {
            if (action->text().startsWith(text)) return action;
        }
        return nullptr;
    }

    // What a change needs beforehand, not itself a step.
    void prepare(Change change)
    {
        if (change == Change::DragHolder)
            design.setBarcodeGeometry({250, -35, 8000, 1000}); // a drag puts it back in place
        if (change == Change::ShowAgain) {
            design.setFieldVisible(1, false);
            design.setFieldVisible(3, false);
        }
    }

    void make(Change change)
    {
        switch (change) {
        case Change::DragItem:
            return drag("Label1(2)", {37, -12}, 6);
        case Change::DragImage:
            return drag("Image1", {-11, 23}, 3);
        case Change::DragHolder:
            return drag("Picture2", {40, 25}, 4);
        case Change::Font: {
            program.dialogs.answerFont({{"DejaVu Serif", 20.5F, true, true, true, true}, Qt::red});
            mouse(QTest::MouseDClick, Qt::LeftButton, widget("Label1(1)")->geometry().center());
            return;
        }
        case Change::Hide:
            program.dialogs.answerPopup(QStringLiteral("删除"));
            mouse(QTest::MouseClick, Qt::RightButton, widget("Label1(3)")->geometry().center());
            return;
        case Change::Generate:
            program.dialogs.answerMessage();
            return program.click("Command3");
        case Change::ShowAgain:
            return program.click("Command3");
        case Change::InsertQrCode:
            return program.click("Command4");
        case Change::InsertBarcode:
            return program.click("Command5");
        case Change::DeleteCodes:
            return program.click("Command10");
        case Change::Sizes: {
            program.click("Command7");
            Form4 *dialog = program.forms.form4();
            const char *sizes[] = {"1500", "900", "6000", "800"};
            for (int box = 0; box < 4; ++box)
                dialog->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(box))
                    ->setText(QLatin1String(sizes[box]));
            QTest::mouseClick(dialog->findChild<QPushButton *>("Command1"), Qt::LeftButton);
            return;
        }
        case Change::BarcodeType:
            program.dialogs.answerPopup(QStringLiteral("Data Matrix"));
            mouse(QTest::MouseClick, Qt::RightButton, widget("Picture2")->geometry().center());
            return;
        case Change::QrLevel: // the QR code stays inserted, at the level chosen and back
            program.dialogs.answerPopup(QStringLiteral("纠错等级 Q（约25%可恢复）"));
            mouse(QTest::MouseClick, Qt::RightButton, widget("Image1")->geometry().center());
            return;
        }
    }

    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    Form2 &form2 = *program.forms.form2();
};

} // namespace

Q_DECLARE_METATYPE(Change)

class DesignHistoryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyChangeGoesBackAndForth_data();
    void everyChangeGoesBackAndForth();
    void changesThatChangeNothingAreNoSteps();
    void stepsGoBackInTurnAndAStepTakenBackIsLeftForANewOne();
    void aPrintRunBetweenStaysAsItLeftTheLabel();
    void theRangeBoxKeepsItsOwnUndo();
    void importingLoadingAndClosingClearTheHistory();

private:
    QTemporaryDir scratch_;
    QString workbook_;
};

void DesignHistoryTest::initTestCase()
{
    workbook_ = scratch_.filePath(QStringLiteral("items.xls"));
    QVERIFY(writeWorkbook(workbook_, {{"SKU", "名称", "价"}, {"A-1", "茶杯", "=3.5"}}));
}

void DesignHistoryTest::everyChangeGoesBackAndForth_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("items"); // the design has field items before the change
    QTest::addColumn<bool>("codes"); // and both codes
    QTest::addColumn<QString>("step"); // how the menu names it
    QTest::newRow("a whole drag of a field item")
        << Change::DragItem << true << true << QStringLiteral("移动数据项");
    QTest::newRow("a drag of the QR code")
        << Change::DragImage << true << true << QStringLiteral("移动二维码");
    QTest::newRow("a drag of the barcode holder")
        << Change::DragHolder << true << true << QStringLiteral("移动条形码");
    QTest::newRow("a font") << Change::Font << true << true << QStringLiteral("设置字体");
    QTest::newRow("hiding an item") << Change::Hide << true << true << QStringLiteral("删除数据项");
    QTest::newRow("generating the items")
        << Change::Generate << false << false << QStringLiteral("生成数据项");
    QTest::newRow("showing hidden items again")
        << Change::ShowAgain << true << true << QStringLiteral("生成数据项");
    QTest::newRow("inserting the QR code")
        << Change::InsertQrCode << true << false << QStringLiteral("插入二维码");
    QTest::newRow("inserting the barcode")
        << Change::InsertBarcode << true << false << QStringLiteral("插入条形码");
    QTest::newRow("deleting the codes")
        << Change::DeleteCodes << true << true << QStringLiteral("删除二维码");
    QTest::newRow("the size dialog") << Change::Sizes << true << true << QStringLiteral("调整大小");
    QTest::newRow("the barcode's type")
        << Change::BarcodeType << true << true << QStringLiteral("设置条形码类型");
    QTest::newRow("the QR code's level")
        << Change::QrLevel << true << true << QStringLiteral("设置二维码纠错等级");
}

void DesignHistoryTest::everyChangeGoesBackAndForth()
{
    QFETCH(Change, change);
    QFETCH(bool, items);
    QFETCH(bool, codes);
    QFETCH(QString, step);
    Design a(workbook_, items, codes);
    a.prepare(change);
    const QString before = a.state();
    a.make(change);
    QVERIFY(a.program.dialogs.allAnswered());
    const QString after = a.state();
    QVERIFY(after != before);
    QCOMPARE(a.steps(), 1);
    QCOMPARE(a.menuEntry(QStringLiteral("撤销"))->text(), QStringLiteral("撤销 ") + step);

    a.keys(&a.form2, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(a.state(), before);
    QVERIFY(!a.menuEntry(QStringLiteral("撤销"))->isEnabled());
    a.keys(&a.program.form1(), Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    QCOMPARE(a.state(), after);
    a.keys(&a.program.form1(), Qt::CTRL | Qt::Key_Z);
    QCOMPARE(a.state(), before);
    a.keys(&a.form2, Qt::CTRL | Qt::Key_Y);
    QCOMPARE(a.state(), after);
    a.menuEntry(QStringLiteral("撤销"))->trigger();
    QCOMPARE(a.state(), before);
    a.menuEntry(QStringLiteral("重做"))->trigger();
    QCOMPARE(a.state(), after);
}

void DesignHistoryTest::changesThatChangeNothingAreNoSteps()
{
    Design a(workbook_, true, true);
    const QString before = a.state();
    // A drag back to where it began, a click without a move, a menu dismissed, a font dialog
    // cancelled, the QR code inserted a second time.
    const QPoint at = a.widget("Label1(1)")->geometry().center();
    a.mouse(QTest::MousePress, Qt::LeftButton, at);
    a.mouse(QTest::MouseMove, Qt::NoButton, at + QPoint(30, 10));
    a.mouse(QTest::MouseMove, Qt::NoButton, at);
    a.mouse(QTest::MouseRelease, Qt::LeftButton, at);
    a.mouse(QTest::MouseClick, Qt::LeftButton, at);
    a.program.dialogs.answerPopup(QString());
    a.mouse(QTest::MouseClick, Qt::RightButton, at);
    a.program.dialogs.cancelFont();
    a.mouse(QTest::MouseDClick, Qt::LeftButton, at);
    a.program.click("Command4");
    QVERIFY(a.program.dialogs.allAnswered());
    QCOMPARE(a.state(), before);
    QCOMPARE(a.steps(), 0);
    QVERIFY(!a.menuEntry(QStringLiteral("撤销"))->isEnabled());
    QCOMPARE(a.menuEntry(QStringLiteral("撤销"))->text(), QStringLiteral("撤销"));
}

void DesignHistoryTest::stepsGoBackInTurnAndAStepTakenBackIsLeftForANewOne()
{
    Design a(workbook_, true, true);
    const QString start = a.state();
    a.drag("Label1(1)", {20, 5}, 3);
    const QString moved = a.state();
    a.drag("Label1(1)", {-7, 9}, 2); // another drag of the same item is another step
    const QString movedTwice = a.state();
    a.make(Change::Hide);
    QCOMPARE(a.steps(), 3);

    a.keys(&a.form2, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(a.state(), movedTwice);
    a.keys(&a.form2, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(a.state(), moved);
    // A new change after a step taken back: the steps taken back are gone.
    a.make(Change::DeleteCodes);
    const QString deleted = a.state();
    a.keys(&a.form2, Qt::CTRL | Qt::Key_Y);
    QCOMPARE(a.state(), deleted);
    a.keys(&a.form2, Qt::CTRL | Qt::Key_Z);
    a.keys(&a.form2, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(a.state(), start);
}

// Taking a step back undoes that step alone: the captions and the QR code a print run put on the
// label in between stay.
void DesignHistoryTest::aPrintRunBetweenStaysAsItLeftTheLabel()
{
    Design a(workbook_, true, true);
    const TwipsRect placed = a.design.codeImage().geometry;
    a.drag("Image1", {30, 20}, 4);
    a.program.panel().chooser(MainPanel::QrSource).setListIndex(0);
    a.program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    PdfFileOutput pdf(scratch_.filePath("a.pdf"));
    SilentProgress progress;
    a.program.dialogs.answerMessage(MessageAnswer::Ok);
    QCOMPARE(
        PrintRun(a.program.workspace, pdf, progress).run().outcome, PrintRun::Outcome::Printed);
    const PictureRef printedCode = a.design.codeImage().picture;
    QVERIFY(printedCode && !a.design.qrCodeInserted());

    a.keys(&a.form2, Qt::CTRL | Qt::Key_Z);
    QCOMPARE(a.design.codeImage().geometry, placed);
    QCOMPARE(a.design.codeImage().picture, printedCode);
    QCOMPARE(a.design.field(2).caption, QStringLiteral("茶杯"));
}

void DesignHistoryTest::theRangeBoxKeepsItsOwnUndo()
{
    Design a(workbook_, true, true);
    a.drag("Label1(1)", {20, 5}, 3);
    const QString moved = a.state();
    auto *box = a.program.control<QLineEdit>("Text3(0)");
    a.program.form1().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&a.program.form1(), 30000));
    box->setFocus();
    QTest::keyClicks(box, "2");
    QCOMPARE(box->text(), QStringLiteral("12"));
    QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(a.state(), moved);
}

void DesignHistoryTest::importingLoadingAndClosingClearTheHistory()
{
    Design a(workbook_, true, true);
    const auto aStep = [&] {
        a.program.click(a.program.workspace.canvas().barcodeInserted() ? "Command10" : "Command5");
        QCOMPARE(a.steps(), 1);
    };
    const DesignHistory &history = a.program.workspace.history();
    aStep();
    a.program.dialogs.answerOpen(workbook_);
    a.program.click("Command2");
    QCOMPARE(a.steps(), 0);
    QVERIFY(history.designChanged()); // and not saved

    aStep();
    const QString layout = scratch_.filePath("design.ini");
    a.program.dialogs.answerSave(layout);
    a.program.dialogs.answerMessage();
    a.program.click("Command8");
    QCOMPARE(a.steps(), 1); // saving changes nothing
    QVERIFY(!history.designChanged());
    a.program.workspace.history().stack().undo();
    QVERIFY(history.designChanged());
    a.program.workspace.history().stack().redo();
    QVERIFY(!history.designChanged());
    a.program.dialogs.answerOpen(layout);
    a.program.click("Command9"); // nothing to ask
    QCOMPARE(a.steps(), 0);
    QVERIFY(!history.designChanged());

    aStep();
    a.program.dialogs.answerMessage(MessageAnswer::Discard); // the changed design, unsaved
    a.program.forms.form2()->close();
    TestProgram::settle();
    QCOMPARE(a.steps(), 0);
    QVERIFY(!history.designChanged());
    QVERIFY(a.program.dialogs.allAnswered());
}

QTEST_MAIN(DesignHistoryTest)
#include "DesignHistoryTest.moc"
