// A label picture larger than the screen: the canvas window shows it scaled down to fit, docks by
// its shown width, and a drag moves an item by the pointer's way in label twips, a whole number of
// them a pixel. Positions, sizes and the printed page stay the label's own.
#include "app/ScreenTwips.h"
#include "canvas/LabelDesign.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"
#include "support/TestProgram.h"

#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <cmath>

using namespace tagloom;
using namespace tagloom::test;

namespace {

constexpr QSize picturePixels(6000, 4000);

// The program with the 6000 × 4000 picture, field items and both codes on the canvas.
struct BigCanvas
{
    explicit BigCanvas(const QString &workbook)
    {
        program.startDesign(fixture("pictures/gradient_6000x4000_16bit.png"), workbook);
        QVERIFY(program.dialogs.allAnswered());
        QVERIFY(QTest::qWaitForWindowExposed(&form2, 30000));
    }

    // Label twips a screen pixel stands for.
    double twipsPerPixel() const
    {
        return 1440.0 / (ScreenTwips::dpiX(&form2) * form2.view().factorX());
    }
    QWidget *widget(const QString &name) { return form2.findChild<QWidget *>(name); }
    void mouse(QTest::MouseAction action, QPoint at)
    {
        QTest::mouseEvent(action, form2.windowHandle(), Qt::LeftButton, {}, at);
    }
    QPointF placeOf(const QString &item)
    {
        if (item == "Image1") return design.codeImage().geometry.toRectF().topLeft();
        if (item == "Picture2") return design.barcodeHolder().geometry.toRectF().topLeft();
        return design.field(item.mid(7, 1).toInt()).rect().topLeft();
    }

    TestProgram program;
    LabelDesign &design = program.workspace.canvas();
    Form2 &form2 = *program.forms.form2();
};

} // namespace

class CanvasViewTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void theWindowIsScaledDownToFitBesideTheMainWindow();
    void dragsMoveByThePointersWayInTwips_data();
    void dragsMoveByThePointersWayInTwips();
    void dockingKeepsTheShownWindowBesideTheMainWindow();
    void thePrintedLabelKeepsItsSize();

private:
    QTemporaryDir scratch_;
    QString workbook_;
};

void CanvasViewTest::initTestCase()
{
    workbook_ = scratch_.filePath(QStringLiteral("items.xls"));
    QVERIFY(writeWorkbook(workbook_, {{"SKU", "名称", "价"}, {"A-1", "茶杯", "=3.5"}}));
}

void CanvasViewTest::theWindowIsScaledDownToFitBesideTheMainWindow()
{
    BigCanvas a(workbook_);
    QCOMPARE(a.design.scaleWidth(), float(picturePixels.width() * 15));
    QCOMPARE(a.design.scaleHeight(), float(picturePixels.height() * 15));
    QVERIFY(!a.form2.view().isTrueSize());

    // The window, frame allowances and all, fits on the screen beside the main window, 80 twips
    // from it as docked, at the largest scale that has a whole number of label twips to a pixel.
    const QSizeF screen = ScreenTwips::availableSize(&a.form2);
    const double mainWidth = a.program.form1().frameGeometry().width() * 1440.0
        / ScreenTwips::dpiX(&a.program.form1());
    const QSizeF room(screen.width() - mainWidth - 80, screen.height() - 80);
    QVERIFY2(a.form2.windowWidth() <= room.width() && a.form2.windowHeight() <= room.height(),
        qPrintable(
            QStringLiteral("%1 × %2").arg(a.form2.windowWidth()).arg(a.form2.windowHeight())));
    const double twipsPerPixel = a.twipsPerPixel();
    QCOMPARE(twipsPerPixel, std::round(twipsPerPixel));
    const double nextScale = 1440.0 / ((twipsPerPixel - 1) * ScreenTwips::dpiX(&a.form2));
    QVERIFY(a.design.scaleWidth() * nextScale + 120 > room.width()
        || a.design.scaleHeight() * nextScale + 450 > room.height());

    // Picture1 fills the client area; every item's mouse surface lies where it is drawn.
    const double dpi = 1440.0 / twipsPerPixel;
    QCOMPARE(a.widget("Picture1")->geometry(),
        twipsToPixelRect({0, 0, a.design.scaleWidth(), a.design.scaleHeight()}, dpi, dpi));
    QCOMPARE(a.form2.size(), a.widget("Picture1")->size());
    QCOMPARE(
        a.widget("Image1")->geometry(), twipsToPixelRect(a.design.codeImage().geometry, dpi, dpi));
    const QRectF item = a.design.field(2).rect();
    QCOMPARE(a.widget("Label1(2)")->geometry(),
        twipsToPixelRect(
            {float(item.x()), float(item.y()), float(item.width()), float(item.height())}, dpi,
            dpi));

    // The canvas draws the picture scaled down: its gradient, red at the top and blue at the
    // bottom, runs down the whole window.
    const QImage shown = a.widget("Picture1")->grab().toImage();
    const QColor top = shown.pixelColor(shown.width() / 2, 1);
    const QColor bottom = shown.pixelColor(shown.width() / 2, shown.height() - 2);
    QVERIFY2(top.red() > 240 && top.blue() < 15 && bottom.blue() > 240 && bottom.red() < 15,
        qPrintable(top.name() + ' ' + bottom.name()));
}

void CanvasViewTest::dragsMoveByThePointersWayInTwips_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QPoint>("offset"); // pixels
    QTest::addColumn<int>("steps");
    QTest::newRow("field item") << "Label1(2)" << QPoint(37, -12) << 5;
    QTest::newRow("QR code image") << "Image1" << QPoint(-11, 23) << 1;
    QTest::newRow("long drag of the holder") << "Picture2" << QPoint(71, -53) << 200;
}

void CanvasViewTest::dragsMoveByThePointersWayInTwips()
{
    QFETCH(QString, item);
    QFETCH(QPoint, offset);
    QFETCH(int, steps);
    BigCanvas a(workbook_);
    // Items large enough to hold in a view this small, a few hundred twips to a pixel.
    LabelFont font = a.design.field(2).font;
    font.pointSize = 400;
    a.design.setFieldFont(2, font);
    a.design.setCodeImageGeometry({30000, 20000, 20000, 20000});
    a.design.setBarcodeHolderGeometry({10000, 40000, 30000, 10000});
    const QPointF start = a.placeOf(item);
    const QPoint from = a.widget(item)->geometry().center();
    a.mouse(QTest::MousePress, from);
    for (int step = 1; step <= steps; ++step) {
        QTest::mouseEvent(QTest::MouseMove, a.form2.windowHandle(), Qt::NoButton, {},
            from + offset * step / steps);
        QCoreApplication::processEvents(); // each move drawn, as on a screen
    }
    a.mouse(QTest::MouseRelease, from + offset);

    // Whole twips in, whole twips out: the layout file keeps the place exactly.
    const QPointF expected = start + QPointF(offset) * a.twipsPerPixel();
    QCOMPARE(a.placeOf(item), expected);
    QCOMPARE(a.placeOf(item).x(), std::round(a.placeOf(item).x()));
    const double dpi = 1440.0 / a.twipsPerPixel();
    if (item == "Image1")
        QCOMPARE(
            a.widget(item)->geometry(), twipsToPixelRect(a.design.codeImage().geometry, dpi, dpi));
}

void CanvasViewTest::dockingKeepsTheShownWindowBesideTheMainWindow()
{
    BigCanvas a(workbook_);
    Form1 &form1 = a.program.form1();
    QVERIFY(a.form2.shownWidth() < a.design.scaleWidth());
    QCOMPARE(a.form2.windowWidth(), a.form2.shownWidth() + 120);
    for (const QPoint place : {QPoint(700, 120), QPoint(20, 300)}) {
        form1.move(place);
        // Its right edge 80 twips left of the main window, its top 80 twips below the main
        // window's, by the formulas of a picture shown at true size with the shown width.
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QPointF canvas = ScreenTwips::windowPosition(&a.form2);
                const QPointF main = ScreenTwips::windowPosition(&form1);
                return qAbs(canvas.x() + a.form2.windowWidth() - (main.x() - 80)) < 15
                    && qAbs(canvas.y() - (main.y() + 80)) < 15;
            },
            30000));
    }
}

void CanvasViewTest::thePrintedLabelKeepsItsSize()
{
    BigCanvas a(workbook_);
    a.program.panel().chooser(MainPanel::QrSource).setListIndex(0);
    a.program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    const QString pdf = scratch_.filePath("big.pdf");
    PdfFileOutput output(pdf);
    SilentProgress progress;
    a.program.dialogs.answerMessage(MessageAnswer::Ok);
    QCOMPARE(
        PrintRun(a.program.workspace, output, progress).run().outcome, PrintRun::Outcome::Printed);
    // 6000 × 4000 pixels of 15 twips: 4500 × 3000 points.
    const QSizeF page = pdfPageSize(pdf);
    QVERIFY2(qAbs(page.width() - 4500) < 1 && qAbs(page.height() - 3000) < 1,
        qPrintable(QStringLiteral("%1 × %2").arg(page.width()).arg(page.height())));
}

QTEST_MAIN(CanvasViewTest)
#include "CanvasViewTest.moc"
