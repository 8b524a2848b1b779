// The QR code and barcode items on the canvas: inserting, removing, the inserted tests, the size
// dialog, and what the canvas draws of them read back by a scanner.
#include "TestPage.h"
#include "canvas/LabelDesign.h"
#include "canvas/LabelPainter.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/TestProgram.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class CodeItemsTest : public QObject
{
    Q_OBJECT

private slots:
    void qrCodeItemStates();
    void barcodeItemStates();
    void theCanvasDrawsCodesThatScan();
    void sizeDialogOpensOnTheCurrentSizes();
    void sizeDialogAppliesInPlace();
    void sizeDialogRefusesBadSizes_data();
    void sizeDialogRefusesBadSizes();

private:
    static QLineEdit *box(Form4 *dialog, int index)
    {
        return dialog->findChild<QLineEdit *>(QStringLiteral("Text1(%1)").arg(index));
    }
    static void type(Form4 *dialog, const QStringList &texts)
    {
        for (int i = 0; i < 4; ++i)
            box(dialog, i)->setText(texts[i]);
    }
};

void CodeItemsTest::qrCodeItemStates()
{
    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    // At start: visible, no picture, not inserted.
    QVERIFY(design.codeImage().visible);
    QVERIFY(!design.codeImage().picture);
    QVERIFY(!design.qrCodeInserted());

    program.click("Command4");
    QVERIFY(design.qrCodeInserted());
    QCOMPARE(design.codeImage().picture, design.qrMaker().codePicture());
    const TwipsRect place = design.codeImage().geometry;
    QCOMPARE(place, (TwipsRect {2760, 360, 1005, 1005}));
    program.click("Command4"); // twice is once
    QVERIFY(design.qrCodeInserted());
    QVERIFY(design.codeImage().visible);

    // Delete hides it but it still counts as inserted.
    program.click("Command10");
    QVERIFY(!design.codeImage().visible);
    QVERIFY(design.qrCodeInserted());
    QVERIFY(!program.forms.form2()
                 ->findChild<QWidget *>(QStringLiteral("Image1"))
                 ->isVisibleTo(program.forms.form2()));

    // A picture of its own detaches it; inserting again attaches the generator's current picture.
    design.setCodeImagePicture(std::make_shared<const QImage>(*design.qrMaker().codePicture()));
    QVERIFY(!design.qrCodeInserted());
    design.qrMaker().setCodeData(QStringLiteral("row 7"));
    design.qrMaker().refresh();
    program.click("Command4");
    QVERIFY(design.qrCodeInserted());
    QVERIFY(design.codeImage().visible);
    QCOMPARE(design.codeImage().geometry, place);
    QVERIFY(!design.barcodeHolder().visible); // the barcode waits for its own insert
}

void CodeItemsTest::barcodeItemStates()
{
    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    QVERIFY(!design.barcodeInserted());
    program.click("Command5");
    program.click("Command5");
    QVERIFY(design.barcodeInserted());
    QCOMPARE(design.barcodeHolder().geometry, (TwipsRect {120, 2400, 5000, 1000}));
    QVERIFY(!design.barcodeVisible());
    // Delete hides both even when only the barcode was inserted.
    program.click("Command10");
    QVERIFY(!design.barcodeInserted());
    QVERIFY(!design.codeImage().visible);
    QVERIFY(!design.qrCodeInserted());

    // A freshly inserted barcode shows as an empty grey box on the canvas.
    program.click("Command5");
    const QImage page = TestPage::render({design.scaleWidth(), design.scaleHeight()},
        [&](QPainter &painter) { LabelPainter::paint(painter, design); });
    const QRect area = TestPage::areaPixels({design.scaleWidth(), design.scaleHeight()});
    const double scale = TestPage::dpi / 1440;
    const QPoint insideHolder
        = area.topLeft() + QPoint(int((120 + 2500) * scale), int((2400 + 500) * scale));
    QCOMPARE(QColor(page.pixel(insideHolder)), QColor(0xc8, 0xc8, 0xc8));
    QVERIFY(!decodeCode128(page));
}

void CodeItemsTest::theCanvasDrawsCodesThatScan()
{
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    LabelDesign &design = program.workspace.canvas();
    program.click("Command4");
    program.click("Command5");
    design.setCodeImageGeometry({360, 300, 1500, 900}); // stretched, not square
    design.qrMaker().setCodeData(QStringLiteral("https://example.com/茶杯?id=42"));
    design.qrMaker().refresh();
    design.setCodeImagePicture(design.qrMaker().codePicture());
    design.setBarcodeValue(QStringLiteral("SKU-000123"));
    design.setBarcodeVisible(true);

    const QImage page = TestPage::render({design.scaleWidth(), design.scaleHeight()},
        [&](QPainter &painter) { LabelPainter::paint(painter, design); });
    QCOMPARE(decodeQr(page), QStringLiteral("https://example.com/茶杯?id=42"));
    QCOMPARE(decodeCode128(page), QStringLiteral("SKU-000123"));
}

void CodeItemsTest::sizeDialogOpensOnTheCurrentSizes()
{
    TestProgram program;
    program.click("Command7");
    Form4 *dialog = program.forms.form4();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("修改尺寸"));
    QStringList shown;
    for (int i = 0; i < 4; ++i)
        shown << box(dialog, i)->text();
    QCOMPARE(shown, (QStringList {"1005", "1005", "5000", "1000"}));
    // Below them, what prints: the design's 21-module code exactly as large as its item without a
    // printer's dots; on 203 dpi its 141.7 dots give modules of 6 dots, 126 dots in all.
    const auto *printed = dialog->findChild<QLabel *>(QStringLiteral("PrintedSizes"));
    program.panel().setPrinterDotsPerInch(std::nullopt);
    QVERIFY2(printed->text().contains(QStringLiteral("二维码 17.7×17.7 毫米（框 17.7×17.7）")),
        qPrintable(printed->text()));
    program.panel().setPrinterDotsPerInch(203);
    QVERIFY2(printed->text().contains(QStringLiteral("打印出来（203 dpi）"))
            && printed->text().contains(QStringLiteral("二维码 15.8×15.8 毫米（框 17.7×17.7）")),
        qPrintable(printed->text()));

    // Typed values are overwritten by a second open, which keeps the same dialog.
    program.workspace.canvas().setCodeImageGeometry({2760, 360, 1265.5F, 990});
    box(dialog, 0)->setText(QStringLiteral("7"));
    program.click("Command7");
    QCOMPARE(program.forms.form4(), dialog);
    QCOMPARE(box(dialog, 0)->text(), QStringLiteral("1265.5"));
    QCOMPARE(box(dialog, 1)->text(), QStringLiteral("990"));

    // Focus moves through the boxes and then to the button; the button is no default button.
    QWidget *focus = box(dialog, 0);
    for (const QString next : {"Text1(1)", "Text1(2)", "Text1(3)", "Command1"}) {
        do
            focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus));
        QCOMPARE(focus->objectName(), next);
    }
    QVERIFY(!dialog->findChild<QPushButton *>(QStringLiteral("Command1"))->autoDefault());
}

void CodeItemsTest::sizeDialogAppliesInPlace()
{
    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    program.click("Command7");
    Form4 *dialog = program.forms.form4();
    type(dialog, {"1500", "900", "6000", "800"});
    QTest::mouseClick(dialog->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    TestProgram::settle();
    QVERIFY(!program.forms.hasForm4()); // applied and gone
    QCOMPARE(design.codeImage().geometry, (TwipsRect {2760, 360, 1500, 900}));
    QCOMPARE(design.barcodeHolder().geometry, (TwipsRect {120, 2400, 6000, 800}));
    QCOMPARE(design.barcodeGeometry(), (TwipsRect {-400, 0, 9000, 800}));
    QVERIFY(!design.barcodeInserted()); // sizes apply to items that are not inserted too

    // Applying unchanged after the holder got another height gives it the barcode's height.
    design.setBarcodeHolderGeometry({50, 60, 6000, 1200});
    program.click("Command7");
    program.forms.form4()->Command1_Click();
    QCOMPARE(design.barcodeHolder().geometry, (TwipsRect {50, 60, 6000, 800}));
    QCOMPARE(design.barcodeGeometry(), (TwipsRect {-400, 0, 9000, 800}));

    // Closing without applying changes nothing.
    program.click("Command7");
    type(program.forms.form4(), {"10", "10", "10", "10"});
    program.forms.form4()->close();
    TestProgram::settle();
    QCOMPARE(design.codeImage().geometry.width, 1500.0F);
}

void CodeItemsTest::sizeDialogRefusesBadSizes_data()
{
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("named");
    QTest::newRow("empty") << QStringList {"", "900", "6000", "800"} << "二维码的长";
    QTest::newRow("text") << QStringList {"1500", "abc", "6000", "800"} << "二维码的高";
    QTest::newRow("zero") << QStringList {"1500", "900", "0", "800"} << "条形码的长";
    QTest::newRow("negative") << QStringList {"1500", "900", "6000", "-5"} << "条形码的高";
    QTest::newRow("huge") << QStringList {"1e30", "900", "6000", "800"} << "二维码的长";
    QTest::newRow("comma") << QStringList {"1500", "900", "6,000", "800"} << "条形码的长";
}

void CodeItemsTest::sizeDialogRefusesBadSizes()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, named);
    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    program.click("Command7");
    type(program.forms.form4(), typed);
    program.dialogs.answerMessage();
    program.forms.form4()->Command1_Click();
    TestProgram::settle();
    QVERIFY(program.dialogs.allAnswered());
    const MessageRequest refusal = program.dialogs.messages().last();
    QCOMPARE(refusal.title, QStringLiteral("出错"));
    QVERIFY2(refusal.text.startsWith(named), qPrintable(refusal.text));
    QVERIFY(program.forms.hasForm4());
    QVERIFY(program.forms.form4()->isVisible());
    QCOMPARE(design.codeImage().geometry, (TwipsRect {2760, 360, 1005, 1005}));
    QCOMPARE(design.barcodeHolder().geometry, (TwipsRect {120, 2400, 5000, 1000}));
    QCOMPARE(design.barcodeGeometry(), (TwipsRect {-400, 0, 8000, 1000}));
}

QTEST_MAIN(CodeItemsTest)
#include "CodeItemsTest.moc"
