// What a label carries beyond the plain cells: texts with fields, counters, dates and row numbers
// filled in label by label, the quantity a row asks for, and text fitted into the width of its box.
// The model alone, without windows.
#include "canvas/FieldItem.h"
#include "canvas/TextMetrics.h"
#include "canvas/TextTemplate.h"
#include "data/DataTable.h"
#include "print/LabelQuantities.h"

#include <QTest>

using namespace tagloom;

class LabelContentTest : public QObject
{
    Q_OBJECT

private slots:
    void textsWithFields_data();
    void textsWithFields();
    void quantities_data();
    void quantities();
    void textFitsItsBox_data();
    void textFitsItsBox();
};

void LabelContentTest::textsWithFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("label");
    QTest::addColumn<QString>("shown"); // or, after "!", a part of the refusal
    const auto add = [](const char *text, int row, int label, const char *shown) {
        QTest::addRow("%s", text) << QString::fromUtf8(text) << row << label
                                  << QString::fromUtf8(shown);
    };
    add("¥{价格}", 1, 0, "¥12.80");
    add("批号 {货号}-{序号:001}", 1, 4, "批号 TL-01-005");
    add("{序号:000}", 1, 4, "004"); // the digits are the first number
    add("{序号:0100+5}", 2, 3, "0115");
    add("{序号}", 1, 9, "10");
    add("{序号:7}", 1, 1200, "1207"); // a width the number outgrows
    add("{日期:yyyy年M月d日} {日期:MMMM}", 1, 0, "2026年3月5日 三月");
    add("{日期}", 2, 0, "2023-12-31"); // the sheet's own column comes first
    add("{时间} {时间:HH:mm:ss}", 1, 0, "14:07 14:07:09");
    add("{规格:mm}", 2, 0, "1L"); // a header with a colon in it
    add("{行号}/{{x}}", 2, 0, "2/{x}");
    add("{品名}", 2, 0, "白瓷碗");
    add("{价钱}", 1, 0, "!“{价钱}”中的{价钱}在数据表中没有对应的列");
    add("¥{价格", 1, 0, "!第2个字符的花括号不成对");
    add("a}b", 1, 0, "!第2个字符的花括号不成对");
    add("{序号:a1}", 1, 0, "!{序号:a1}写法不对");
    add("{序号:1+0}", 1, 0, "!{序号:1+0}的增量至少是1");
    add("{行号:0}", 1, 0, "!{行号:0}不带格式");
}

void LabelContentTest::textsWithFields()
{
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(int, label);
    QFETCH(QString, shown);
    DataTable table;
    table.bind(5,
        {"品名", "价格", "货号", "日期", "规格:mm", "青花茶杯", "12.80", "TL-01", "2024-03-07",
            "8cm", "白瓷碗", "", "TL-02", "2023-12-31", "1L"});
    QVERIFY(table.numberRows());
    QString problem;
    std::optional<TextTemplate> made = TextTemplate::parse(text, &problem);
    if (made && !made->bind(&table, &problem)) made.reset();
    if (shown.startsWith('!')) {
        QVERIFY(!made);
        QVERIFY2(problem.contains(shown.mid(1)), qPrintable(problem));
        return;
    }
    QVERIFY2(made, qPrintable(problem));
    const LabelNumbering numbering {row, label, QDateTime(QDate(2026, 3, 5), QTime(14, 7, 9))};
    QCOMPARE(made->expand(&table, numbering), shown);
}

void LabelContentTest::quantities_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<int>("labels"); // -1: refused
    for (const auto &[cell, labels] : std::initializer_list<std::pair<const char *, int>> {{"", 1},
             {"  ", 1}, {"0", 0}, {"3", 3}, {"3.00", 3}, {" 12 ", 12}, {"10000", 10000},
             {"1e3", 1000}, {"10001", -1}, {"-1", -1}, {"2.5", -1}, {"三", -1}, {"1,000", -1}})
        QTest::addRow("\"%s\"", cell) << QString::fromUtf8(cell) << labels;
}

void LabelContentTest::quantities()
{
    QFETCH(QString, cell);
    QFETCH(int, labels);
    QCOMPARE(LabelQuantities::parse(cell).value_or(-1), labels);
    // In a run: the row is named, and the count is the sum of the rows.
    DataTable table;
    table.bind(2, {"品名", "份数", "茶杯", "2", "碗", cell});
    QVERIFY(table.numberRows());
    LabelQuantities run(1, 2);
    QString problem;
    QCOMPARE(run.read(table, "份数", &problem), labels >= 0);
    if (labels >= 0)
        QCOMPARE(run.total(), 2 + labels);
    else
        QVERIFY2(problem.startsWith(QStringLiteral("第2行“份数”列的份数")), qPrintable(problem));
    QVERIFY(!LabelQuantities(1, 2).read(table, "数量", &problem));
    QVERIFY(problem.contains(QStringLiteral("没有份数列“数量”")));
}

void LabelContentTest::textFitsItsBox_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<float>("width"); // twips
    QTest::addColumn<bool>("shrink");
    QTest::addColumn<int>("lines");
    QTest::addColumn<float>("pointSize");
    // At 10 pt a Chinese character is 200 twips wide: five to a 1000-twip line.
    QTest::newRow("Chinese wraps") << "景德镇青花瓷茶杯套装，六件" << 1000.F << false << 3 << 10.F;
    QTest::newRow("Western wraps at spaces")
        << "Blue and white porcelain teacups" << 1500.F << false << 3 << 10.F;
    QTest::newRow("a line break stays") << "茶杯\n套装" << 3000.F << false << 2 << 10.F;
    QTest::newRow("fits as it is") << "茶杯" << 3000.F << true << 1 << 10.F;
    QTest::newRow("shrinks to one line") << "景德镇青花瓷茶杯" << 1200.F << true << 1 << 7.5F;
    QTest::newRow("shrinks to the smallest, then wraps")
        << "景德镇青花瓷茶杯套装六件" << 1000.F << true << 2 << 6.F;
}

void LabelContentTest::textFitsItsBox()
{
    QFETCH(QString, text);
    QFETCH(float, width);
    QFETCH(bool, shrink);
    QFETCH(int, lines);
    QFETCH(float, pointSize);
    FieldItem item;
    item.caption = text;
    item.font = {QStringLiteral("WenQuanYi Micro Hei"), 10};
    item.box = {width, shrink ? TextBox::Fit::Shrink : TextBox::Fit::Wrap, 6};
    const FittedText fitted = item.box.layOut(text, item.font);
    QCOMPARE(fitted.lines.size(), lines);
    QCOMPARE(fitted.pointSize, pointSize);
    QCOMPARE(item.size().width(), width);
    LabelFont font = item.font;
    font.pointSize = fitted.pointSize;
    const double lineHeight = TextMetrics::captionSize("茶", font.toQFont()).height();
    QVERIFY(item.size().height() >= lines * lineHeight
        && item.size().height() < (lines + 1) * lineHeight);
    for (const QString &line : fitted.lines) {
        QVERIFY2(TextMetrics::textWidth(line, font.toQFont()) <= width, qPrintable(line));
        // Lines break between words and never before a closing mark.
        QVERIFY(!line.startsWith(QStringLiteral("，")) && !line.startsWith(' '));
        for (const QString &word : line.split(' '))
            QVERIFY2(!text.contains(' ') || text.split(' ').contains(word), qPrintable(line));
    }
    QCOMPARE(fitted.lines.join(QString()).remove(' ').remove('\n'),
        QString(text).remove(' ').remove('\n'));
}

QTEST_MAIN(LabelContentTest)
#include "LabelContentTest.moc"
