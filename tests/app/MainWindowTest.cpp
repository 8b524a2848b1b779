// The main window and the label canvas: controls, choosing the label picture, docking, closing.
#include "app/ScreenTwips.h"
#include "canvas/CanvasWidget.h"
#include "canvas/DesignHistory.h"
#include "canvas/LabelDesign.h"
#include "support/Fixtures.h"
#include "support/TestProgram.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tagloom;
using namespace tagloom::test;

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void startsWithItsInitialState();
    void choosingAPictureSizesAndShowsTheCanvas_data();
    void choosingAPictureSizesAndShowsTheCanvas();
    void cancellingChangesNothing();
    void aFileThatIsNoPictureOnlyChangesText1_data();
    void aFileThatIsNoPictureOnlyChangesText1();
    void aSecondPictureReplacesTheFirst();
    void dockingFollowsTheMainWindow();
    void aClosedCanvasComesBackInItsInitialState();
    void closingTheMainWindowClosesCanvasAndDataWindow();
    void aChangedDesignIsNotThrownAwayUnasked_data();
    void aChangedDesignIsNotThrownAwayUnasked();

private:
    QTemporaryDir scratch_;
};

namespace {

QRect expectedPixels(const QWidget *widget, const TwipsRect &twips)
{
    return twipsToPixelRect(twips, ScreenTwips::dpiX(widget), ScreenTwips::dpiY(widget));
}

} // namespace

void MainWindowTest::controlsStandWhereTheyBelong_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRectF>("twips");
    auto row = [](const char *name, const QString &caption, qreal l, qreal t, qreal w, qreal h) {
        QTest::newRow(name) << QString::fromLatin1(name) << caption << QRectF(l, t, w, h);
    };
    row("Command1", QStringLiteral("选择标签图片"), 480, 240, 1335, 495);
    row("Command2", QStringLiteral("选择数据文件"), 480, 960, 1335, 540);
    row("Command3", QStringLiteral("生成数据项"), 480, 1680, 1335, 495);
    row("Command4", QStringLiteral("插入二维码"), 2400, 240, 1215, 495);
    row("Command5", QStringLiteral("插入条形码"), 2400, 960, 1215, 495);
    row("Command7", QStringLiteral("调整大小"), 2400, 1680, 1215, 495);
    row("Command10", QStringLiteral("删除二维码"), 3840, 1680, 1095, 495);
    row("Label1(0)", QStringLiteral("二维码数据来源"), 3720, 240, 1335, 255);
    row("Combo1(0)", QString(), 3720, 480, 1335, 300);
    row("Label1(1)", QStringLiteral("条形码数据来源"), 3720, 960, 1335, 255);
    row("Combo1(1)", QString(), 3720, 1200, 1335, 300);
    row("Frame1", QStringLiteral("打印范围"), 480, 2520, 2295, 855);
    row("Label2(0)", QStringLiteral("从"), 120, 360, 255, 255);
    row("Text3(0)", QStringLiteral("1"), 360, 360, 615, 270);
    row("Label2(1)", QStringLiteral("到"), 1080, 360, 255, 255);
    row("Text3(1)", QStringLiteral("1"), 1320, 360, 615, 270);
    row("Label2(2)", QStringLiteral("行"), 2040, 360, 255, 255);
    row("Command6", QStringLiteral("开始打印"), 3240, 2760, 1695, 495);
    row("Command9", QStringLiteral("导入布局"), 360, 3720, 975, 375);
    row("Command8", QStringLiteral("保存布局"), 1560, 3720, 975, 375);
    row("Text2", QStringLiteral("C:\\Users\\Administrator\\Desktop\\6.xls"), 720, 4080, 1335, 270);
    row("Text1", QStringLiteral("C:\\Users\\Administrator\\Desktop\\标签.jpg"), 2280, 4080, 1335,
        270);
    const qreal stepPlaces[][2] = {{120, 240}, {120, 960}, {120, 1680}, {2040, 240}, {2040, 960},
        {2040, 1680}, {120, 2760}, {2880, 2760}};
    for (int step = 0; step < 8; ++step) {
        const QByteArray name = QStringLiteral("Label3(%1)").arg(step).toLatin1();
        row(name.constData(), QString::number(step + 1), stepPlaces[step][0], stepPlaces[step][1],
            255, 495);
    }
}

void MainWindowTest::controlsStandWhereTheyBelong()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QRectF, twips);
    TestProgram program;
    auto *widget = program.control<QWidget>(name);
    QVERIFY2(widget, qPrintable(name));
    const TwipsRect rect {
        float(twips.x()), float(twips.y()), float(twips.width()), float(twips.height())};
    QCOMPARE(widget->geometry(), expectedPixels(widget, rect));

    QString shown;
    if (auto *button = qobject_cast<QPushButton *>(widget))
        shown = button->text();
    else if (auto *label = qobject_cast<QLabel *>(widget))
        shown = label->text();
    else if (auto *edit = qobject_cast<QLineEdit *>(widget))
        shown = edit->text();
    else if (auto *frame = qobject_cast<QGroupBox *>(widget))
        shown = frame->title();
    QCOMPARE(shown, caption);
}

void MainWindowTest::startsWithItsInitialState()
{
    TestProgram program;
    Form1 &form1 = program.form1();
    QCOMPARE(form1.windowTitle(), QStringLiteral("Tagloom码(二维码|条形码)"));
    QVERIFY(!form1.windowIcon().isNull());
    // The steps fill 5220 × 4155 twips; the side panel lies to their right, outside them.
    const auto *side = form1.findChild<QWidget *>("SidePanel");
    QVERIFY(side);
    QCOMPARE(side->geometry().left(), qRound(twipsToPixels(5220, ScreenTwips::dpiX(&form1))));
    QCOMPARE(side->geometry().right(), form1.width() - 1);
    QCOMPARE(form1.height(), qRound(twipsToPixels(4155, ScreenTwips::dpiY(&form1))));
    QCOMPARE(form1.status(), QString());
    QVERIFY(!program.control<QPushButton>("Command3")->isEnabled());
    QVERIFY(!program.control<QLineEdit>("Text1")->isVisible());
    QVERIFY(!program.control<QLineEdit>("Text2")->isVisible());
    QCOMPARE(program.control<QComboBox>("Combo1(0)")->count(), 0);
    QCOMPARE(program.control<QComboBox>("Combo1(1)")->currentIndex(), -1);

    // Step digits in a large CJK face.
    const QFont digit = program.control<QLabel>("Label3(0)")->font();
    QCOMPARE(digit.pointSizeF(), 21.75);

    // Nothing else runs at start: no canvas, no data window, the timer idle.
    auto *timer = form1.findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer);
    QVERIFY(!timer->isActive());
    QCOMPARE(timer->interval(), 0);
    QVERIFY(!program.forms.hasForm2());
    QVERIFY(!program.forms.hasForm3());

    // Resizing the main window moves no control.
    const QRect before = program.control<QWidget>("Command6")->geometry();
    form1.resize(form1.width() * 2, form1.height() * 2);
    QCOMPARE(program.control<QWidget>("Command6")->geometry(), before);
}

void MainWindowTest::choosingAPictureSizesAndShowsTheCanvas_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<bool>("fits"); // on the 800 × 600 screen of the tests
    QTest::newRow("png") << "pictures/label_600x400.png" << QSize(600, 400) << true;
    QTest::newRow("jpeg") << "pictures/label_480x320.jpg" << QSize(480, 320) << true;
    QTest::newRow("bmp") << "pictures/label_300x200.bmp" << QSize(300, 200) << true;
    QTest::newRow("rle8 bmp") << "pictures/label_300x200_rle8.bmp" << QSize(300, 200) << true;
    QTest::newRow("bit-field bmp") << "pictures/label_99x66_bitfields.bmp" << QSize(99, 66) << true;
    // Qt's own allocation limit would refuse it; a 600-dpi A4 scan is as large.
    QTest::newRow("16-bit png") << "pictures/gradient_6000x4000_16bit.png" << QSize(6000, 4000)
                                << false;
}

void MainWindowTest::choosingAPictureSizesAndShowsTheCanvas()
{
    QFETCH(QString, file);
    QFETCH(QSize, pixels);
    QFETCH(bool, fits);
    TestProgram program;
    const QString path = fixture(file);
    program.dialogs.answerOpen(path);
    program.click("Command1");
    QVERIFY(program.dialogs.allAnswered());

    QCOMPARE(program.panel().labelPicturePath(), path);
    QCOMPARE(program.control<QLineEdit>("Text1")->text(), path);
    // The picture command sets no filter of its own: it offers pictures and all files.
    const QStringList filter = program.dialogs.shown().first().file.filter.split('|');
    QCOMPARE(filter.first(), QStringLiteral("图片文件"));
    QVERIFY(filter.at(1).split(';').contains("*.png"));
    QCOMPARE(filter.mid(2), QStringList({"所有文件", "*"}));

    Form2 *canvas = program.forms.form2();
    QVERIFY(canvas->isVisible());
    const LabelDesign &design = program.workspace.canvas();
    QCOMPARE(design.scaleWidth(), float(pixels.width() * 15));
    QCOMPARE(design.scaleHeight(), float(pixels.height() * 15));
    // The client area just holds the picture, drawn at the screen's scale or, when the window
    // would not fit on the screen, scaled down to fit (CanvasViewTest).
    auto *picture1 = canvas->findChild<CanvasWidget *>(QStringLiteral("Picture1"));
    QCOMPARE(canvas->view().isTrueSize(), fits);
    if (fits) {
        QCOMPARE(canvas->windowHeight(), design.scaleHeight() + 450);
        QCOMPARE(canvas->windowWidth(), design.scaleWidth() + 120);
        QCOMPARE(picture1->geometry(),
            expectedPixels(picture1, {0, 0, design.scaleWidth(), design.scaleHeight()}));
    }
    QCOMPARE(canvas->size(), picture1->size());

    auto *timer = program.form1().findChild<QTimer *>(QStringLiteral("Timer1"));
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 100);
}

void MainWindowTest::cancellingChangesNothing()
{
    TestProgram program;
    program.dialogs.cancelOpen();
    program.click("Command1");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.panel().labelPicturePath(),
        QStringLiteral("C:\\Users\\Administrator\\Desktop\\标签.jpg"));
    QVERIFY(!program.forms.hasForm2());
    QVERIFY(!program.form1().findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
}

void MainWindowTest::aFileThatIsNoPictureOnlyChangesText1_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason"); // what the status line says after "未能选择标签图片："
    const QByteArray jpeg = fixtureBytes("pictures/label_480x320.jpg");
    const QByteArray bmp = fixtureBytes("pictures/label_300x200.bmp");
    const QByteArray png = fixtureBytes("pictures/label_600x400.png");
    const QByteArray rle8 = fixtureBytes("pictures/label_300x200_rle8.bmp");
    const QByteArray bitFields = fixtureBytes("pictures/label_99x66_bitfields.bmp");
    const QString incomplete = QStringLiteral("图片文件不完整");

    QTest::newRow("missing") << QByteArray() << "missing.png"
                             << "图片文件不存在或无法读取";
    QTest::newRow("empty") << QByteArray("") << "empty.png"
                           << "图片文件是空的";
    QTest::newRow("text") << QByteArray("not a picture at all\n") << "notes.jpg"
                          << "不是能读取的图片";
    QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 2) << "cut.jpg" << incomplete;
    QTest::newRow("truncated bmp") << bmp.left(bmp.size() / 2) << "cut.bmp" << incomplete;
    QTest::newRow("truncated rle8 bmp") << rle8.left(1536) << "cut-rle.bmp" << incomplete;
    QTest::newRow("truncated bit-field bmp") << bitFields.left(513) << "cut-bf.bmp" << incomplete;
    QTest::newRow("truncated png") << png.left(png.size() / 2) << "cut.png"
                                   << "图片文件已损坏或不完整";
    QByteArray badChecksum = png;
    badChecksum[29] = char(badChecksum[29] ^ 0x01); // in the IHDR checksum
    QTest::newRow("damaged png") << badChecksum << "damaged.png"
                                 << "图片文件已损坏或不完整";
    QByteArray hugeBitmap("BM", 2); // a header that claims 50000 x 50000 pixels
    hugeBitmap += QByteArray::fromHex("36b6c7d8000000003600000028000000"
                                      "50c3000050c300000100180000000000"
                                      "00000000130b0000130b00000000000000000000");
    hugeBitmap += QByteArray(64, '\x7f');
    QTest::newRow("huge bitmap") << hugeBitmap << "huge.bmp"
                                 << "不是能读取的图片";
    QTest::newRow("huge png") << fixtureBytes("pictures/claims_20000x20000.png") << "huge.png"
                              << "图片太大：20000 × 20000 像素，最多 8000 万像素";
    QTest::newRow("workbook") << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)
            + QByteArray(504, '\0')
                              << "data.xls"
                              << "不是能读取的图片";
}

void MainWindowTest::aFileThatIsNoPictureOnlyChangesText1()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    const QString path = scratch_.filePath(name);
    if (QTest::currentDataTag() != QByteArray("missing")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    TestProgram program;
    // A first good picture, so that the canvas has something to keep.
    program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
    program.click("Command1");
    const Twips widthBefore = program.workspace.canvas().scaleWidth();
    const PictureRef pictureBefore = program.workspace.canvas().picture();
    program.forms.form2()->hide();

    program.dialogs.answerOpen(path);
    program.click("Command1");
    QCOMPARE(program.panel().labelPicturePath(), path);
    QCOMPARE(program.workspace.canvas().picture(), pictureBefore);
    QCOMPARE(program.workspace.canvas().scaleWidth(), widthBefore);
    QVERIFY(!program.forms.form2()->isVisible()); // not shown by the failed command
    // No message box, but the main window says why.
    QCOMPARE(program.form1().status(), QStringLiteral("未能选择标签图片：") + reason);

    // With no picture chosen before, a failed choice starts nothing.
    TestProgram fresh;
    fresh.dialogs.answerOpen(path);
    fresh.click("Command1");
    QCOMPARE(fresh.panel().labelPicturePath(), path);
    QVERIFY(!fresh.forms.hasForm2());
    QVERIFY(!fresh.form1().findChild<QTimer *>(QStringLiteral("Timer1"))->isActive());
}

void MainWindowTest::aSecondPictureReplacesTheFirst()
{
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    LabelDesign &design = program.workspace.canvas();
    design.setCodeImageGeometry({1265, 333.5F, 1005, 1005});

    program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
    program.click("Command1");
    QCOMPARE(design.scaleWidth(), 4500.0F);
    QCOMPARE(design.scaleHeight(), 3000.0F);
    QCOMPARE(program.forms.form2()->windowWidth(), 4620.0F);
    // Items keep their places, fractions of a pixel included.
    QCOMPARE(design.codeImage().geometry, (TwipsRect {1265, 333.5F, 1005, 1005}));
}

void MainWindowTest::dockingFollowsTheMainWindow()
{
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_480x320.jpg"));
    program.click("Command1");
    Form1 &form1 = program.form1();
    for (const QPoint place :
        {QPoint(700, 120), QPoint(20, 300)}) { // the second pushes the canvas off screen
        form1.move(place);
        QVERIFY(QTest::qWaitFor(
            [&] {
                const QPointF canvas = ScreenTwips::windowPosition(program.forms.form2());
                const QPointF main = ScreenTwips::windowPosition(&form1);
                return qAbs(canvas.x() - (main.x() - 7200 - 200)) < 15
                    && qAbs(canvas.y() - (main.y() + 80)) < 15;
            },
            30000));
        // The data source window hangs below the main window, even while hidden.
        QVERIFY(program.forms.hasForm3());
        const QPointF data = ScreenTwips::windowPosition(program.forms.form3());
        const QPointF main = ScreenTwips::windowPosition(&form1);
        QVERIFY(qAbs(data.x() - main.x()) < 15);
        QVERIFY(qAbs(data.y() - (main.y() + 4850)) < 15);
        QVERIFY(!program.forms.form3()->isVisible());
    }
}

void MainWindowTest::aClosedCanvasComesBackInItsInitialState()
{
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    program.workspace.canvas().setBarcodeHolderVisible(true);
    // An inserted code is work to lose: closing asks, and "否" keeps the window and the design.
    program.dialogs.answerMessage(MessageAnswer::No);
    program.forms.form2()->close();
    QVERIFY(program.forms.form2()->isVisible());
    QVERIFY(program.workspace.canvas().barcodeHolder().visible);
    program.dialogs.answerMessage(MessageAnswer::Yes);
    program.forms.form2()->close();
    QVERIFY(program.dialogs.allAnswered());
    const MessageRequest question = program.dialogs.messages().first();
    QCOMPARE(question.buttons, MessageButtons::YesNo);
    QVERIFY(question.text.startsWith(QStringLiteral("关闭标签窗口会丢弃")));
    TestProgram::settle();
    QVERIFY(!program.workspace.hasCanvas());

    // The docking tick brings it back, hidden, as it was created.
    QVERIFY(QTest::qWaitFor([&] { return program.workspace.hasCanvas(); }, 30000));
    const LabelDesign &design = program.workspace.canvas();
    QVERIFY(!design.picture());
    QCOMPARE(design.scaleWidth(), LabelDesign::initialWidth);
    QCOMPARE(design.scaleHeight(), LabelDesign::initialHeight);
    QVERIFY(!design.barcodeHolder().visible);
    QCOMPARE(design.barcodeHolder().geometry, (TwipsRect {120, 2400, 5000, 1000}));
    QCOMPARE(design.barcodeGeometry(), (TwipsRect {-400, 0, 8000, 1000}));
    QCOMPARE(design.fieldCount(), 1);
    QVERIFY(!program.forms.form2()->isVisible());
}

void MainWindowTest::closingTheMainWindowClosesCanvasAndDataWindow()
{
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    program.forms.form3(); // the data source window exists too
    QSignalSpy closed(&program.form1(), &Form1::closed);
    program.form1().close();
    TestProgram::settle();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!program.forms.hasForm2());
    QVERIFY(!program.forms.hasForm3());
    QVERIFY(!program.workspace.hasCanvas());
    QVERIFY(!program.workspace.hasDataTable());
}

void MainWindowTest::aChangedDesignIsNotThrownAwayUnasked_data()
{
    QTest::addColumn<QString>("event");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("saved"); // "保存" saves in the save dialog, or cancels it
    for (const char *event : {"close", "Command1", "Command9", "canvas"}) {
        QTest::addRow("%s 取消", event) << event << MessageAnswer::Cancel << false;
        QTest::addRow("%s 不保存", event) << event << MessageAnswer::Discard << false;
        QTest::addRow("%s 保存 cancelled", event) << event << MessageAnswer::Save << false;
        QTest::addRow("%s 保存", event) << event << MessageAnswer::Save << true;
    }
}

void MainWindowTest::aChangedDesignIsNotThrownAwayUnasked()
{
    QFETCH(QString, event);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, saved);
    TestProgram program;
    program.startDesign(fixture("pictures/label_600x400.png"), sourceFile("examples/products.xls"));
    const QString layout = scratch_.filePath(QStringLiteral("%1.ini").arg(QTest::currentDataTag()));
    program.dialogs.answerSave(layout);
    program.dialogs.answerMessage();
    program.click("Command8");
    QVERIFY(!program.workspace.history().designChanged());
    program.click("Command10"); // the codes taken off: a change since saving
    QVERIFY(program.workspace.history().designChanged());

    program.dialogs.answerMessage(answer);
    if (answer == MessageAnswer::Save && saved) {
        program.dialogs.answerSave(layout + ".new");
        program.dialogs.answerMessage();
    } else if (answer == MessageAnswer::Save) {
        program.dialogs.cancelSave();
    }
    const bool goesOn = answer == MessageAnswer::Discard || saved;
    if (goesOn && event == "Command1")
        program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
    if (goesOn && event == "Command9") program.dialogs.answerOpen(layout);
    QSignalSpy closed(&program.form1(), &Form1::closed);
    const qsizetype before = program.dialogs.messages().size();
    if (event == "close")
        program.form1().close();
    else if (event == "canvas")
        program.forms.form2()->close();
    else
        program.click(event);
    TestProgram::settle();
    QVERIFY(program.dialogs.allAnswered());
    const MessageRequest question = program.dialogs.messages().at(before);
    QCOMPARE(question.text, QStringLiteral("是否保存对标签设计的修改？"));
    QCOMPARE(question.buttons, MessageButtons::SaveDiscardCancel);

    const bool wentOn = event == "close" ? !closed.isEmpty()
        : event == "canvas"              ? !program.workspace.hasCanvas()
        : event == "Command1"            ? program.workspace.canvas().scaleWidth() == 4500
                                         : program.workspace.canvas().barcodeInserted();
    QCOMPARE(wentOn, goesOn);
    if (!goesOn) QVERIFY(!program.workspace.canvas().barcodeInserted());
    QFile newLayout(layout + ".new");
    QCOMPARE(
        newLayout.open(QIODevice::ReadOnly) && !newLayout.readAll().contains("Picture2,"), saved);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
