// A business label printed to PDF: a text item with a price, a counter, the run's date and the row
// number, a QR code from a text with fields, a quantity column multiplied by the copies, a long
// name wrapped in its box, stock whose picture does not print; and the runs refused before the
// first page. Every page is read back by pdftotext, pdftoppm and ZXing.
#include "canvas/Form2.h"
#include "canvas/LabelDesign.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "support/CodeDecoder.h"
#include "support/PdfPages.h"
#include "support/TestProgram.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class LabelContentPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyLabelNumberedDatedAndCounted();
    void refusedBeforeTheFirstPage_data();
    void refusedBeforeTheFirstPage();

private:
    // The picture, the table, its field items with the name wrapped, a price text item, the QR
    // code fed by a text with fields and the barcode by the first column; 份数 the quantity column.
    void prepare(TestProgram &program);
    PrintRun::Result print(TestProgram &program, const QString &pdf, int copies);

    QTemporaryDir scratch_;
};

void LabelContentPrintTest::initTestCase()
{
    QImage picture(600, 400, QImage::Format_RGB32);
    picture.fill(QColor(0x80, 0x80, 0x80));
    QVERIFY(picture.save(scratch_.filePath("grey.png")));
    QFile csv(scratch_.filePath("prices.csv"));
    QVERIFY(csv.open(QIODevice::WriteOnly));
    csv.write("货号,品名,价格,份数\n"
              "A-1,景德镇青花瓷茶杯套装六件,12.80,2\n"
              "B-2,白瓷碗,9.50,0\n"
              "C-3,竹制托盘,5,\n");
}

void LabelContentPrintTest::prepare(TestProgram &program)
{
    program.startDesign(scratch_.filePath("grey.png"), scratch_.filePath("prices.csv"));
    LabelDesign &design = program.workspace.canvas();
    design.moveField(1, 300, 2400);
    design.moveField(2, 300, 3000);
    design.setFieldBox(2, {1000, TextBox::Fit::Wrap, 6}); // five characters a line at 10 pt
    design.setFieldVisible(3, false);
    design.setFieldVisible(4, false);
    FieldItem price = LabelDesign::newTextItem();
    price.caption = QStringLiteral("¥{价格} No.{序号:0001} {日期:yyyy年M月d日} 第{行号}行");
    price.left = 300;
    price.top = 4500;
    design.addTextItem(price);
    design.setCodeImageGeometry({6600, 300, 1800, 1800});
    design.setCodeImageTemplate(QStringLiteral("https://shop.example.cn/p/{货号}-{序号:01}"));
    design.setBarcodeHolderGeometry({300, 300, 5400, 1500});
    design.setBarcodeGeometry({-400, 0, 8400, 1500});
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    program.panel().setQuantityColumn(QStringLiteral("份数"));
    program.panel().setRangeText(MainPanel::LastRow, QStringLiteral("3"));
}

PrintRun::Result LabelContentPrintTest::print(TestProgram &program, const QString &pdf, int copies)
{
    PdfFileOutput output(pdf);
    SilentProgress progress;
    return PrintRun(program.workspace, output, progress, copies).run();
}

void LabelContentPrintTest::everyLabelNumberedDatedAndCounted()
{
    TestProgram program;
    prepare(program);
    program.workspace.canvas().setPrintsPicture(false);
    const QString pdf = scratch_.filePath("labels.pdf");
    program.dialogs.answerMessage();
    const QDate before = QDate::currentDate();
    QCOMPARE(print(program, pdf, 2).pagesSent, 6);
    const QDate after = QDate::currentDate();
    QCOMPARE(program.dialogs.messages().last().text,
        QStringLiteral("将打印第1到3行,共3个标签\n每个标签打印2份,共6张"));

    // Row 1 twice, row 2 not at all, row 3 once; each label in two copies.
    QCOMPARE(pdfPageCount(pdf), 6);
    const QStringList skus {"A-1", "A-1", "C-3"};
    const QStringList prices {"¥12.80", "¥12.80", "¥5"};
    const QList<int> rows {1, 1, 3};
    for (int page = 1; page <= 6; ++page) {
        const int label = (page - 1) / 2;
        const QString text = pdfPageText(pdf, page);
        const auto dated = [&](QDate date) {
            return text.contains(QStringLiteral("%1 No.%2 %3 第%4行")
                                     .arg(prices[label])
                                     .arg(label + 1, 4, 10, QLatin1Char('0'))
                                     .arg(date.toString(QStringLiteral("yyyy年M月d日")))
                                     .arg(rows[label]));
        };
        QVERIFY2(dated(before) || dated(after), qPrintable(text));
        // The long name in lines of five characters, in its box.
        if (label < 2)
            QVERIFY2(
                text.contains(QStringLiteral("景德镇青花\n瓷茶杯套装\n六件")), qPrintable(text));
        const QImage image = renderPdfPage(pdf, page);
        QCOMPARE(decodeQr(image),
            QStringLiteral("https://shop.example.cn/p/%1-%2")
                .arg(skus[label])
                .arg(label + 1, 2, 10, QLatin1Char('0')));
        QCOMPARE(decodeCode128(image), skus[label]);
        // The stock has the picture: only the items print; the canvas still shows it.
        QCOMPARE(image.pixelColor(image.width() - 5, image.height() - 5), QColor(Qt::white));
    }
    const QImage canvas = program.forms.form2()->grab().toImage();
    QCOMPARE(canvas.pixelColor(canvas.width() - 5, canvas.height() - 5), QColor(0x80, 0x80, 0x80));
}

void LabelContentPrintTest::refusedBeforeTheFirstPage_data()
{
    QTest::addColumn<QString>("quantityColumn");
    QTest::addColumn<QString>("textItem");
    QTest::addColumn<QString>("qrText");
    QTest::addColumn<QString>("barcodeText");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("afterTheConfirmation");
    const QString price = QStringLiteral("¥{价格}");
    const QString qr = QStringLiteral("{货号}");
    QTest::newRow("a quantity that is no whole number")
        << "价格" << price << qr << ""
        << "第1行“价格”列的份数“12.80”不是0到10000之间的整数。" << false;
    QTest::newRow("a quantity column the table lacks")
        << "数量" << price << qr << ""
        << "数据表中没有份数列“数量”：请重新选择份数列。" << false;
    QTest::newRow("a text item's field naming no column")
        << ""
        << "¥{价钱}" << qr << ""
        << "“¥{价钱}”中的{价钱}在数据表中没有对应的列。" << true;
    QTest::newRow("a code's field naming no column")
        << "" << price << "{网址}"
        << ""
        << "“{网址}”中的{网址}在数据表中没有对应的列。" << true;
    QTest::newRow("a code's text with a brace alone") << "" << price << "{货号"
                                                      << ""
                                                      << "“{货号”第1个字符的花括号不成对" << true;
    QTest::newRow("a code that cannot carry its text") << "" << price << qr << "{品名}"
                                                       << "第1行“{品名}”不能生成条形码" << true;
}

void LabelContentPrintTest::refusedBeforeTheFirstPage()
{
    QFETCH(QString, quantityColumn);
    QFETCH(QString, textItem);
    QFETCH(QString, qrText);
    QFETCH(QString, barcodeText);
    QFETCH(QString, message);
    QFETCH(bool, afterTheConfirmation);
    TestProgram program;
    prepare(program);
    LabelDesign &design = program.workspace.canvas();
    FieldItem text = design.textItem(0);
    text.caption = textItem;
    design.setTextItem(0, text);
    design.setCodeImageTemplate(qrText);
    design.setBarcodeTemplate(barcodeText);
    program.panel().setQuantityColumn(quantityColumn);
    if (afterTheConfirmation) program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    const QString pdf = scratch_.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    const PrintRun::Result result = print(program, pdf, 1);
    QCOMPARE(result.outcome, PrintRun::Outcome::Refused);
    QVERIFY2(result.message.startsWith(message), qPrintable(result.message));
    QCOMPARE(program.dialogs.messages().last().title, QStringLiteral("出错"));
    QVERIFY(program.dialogs.allAnswered());
    QVERIFY(!QFile::exists(pdf));
}

QTEST_MAIN(LabelContentPrintTest)
#include "LabelContentPrintTest.moc"
