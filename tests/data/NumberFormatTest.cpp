// What a number format shows where no workbook of tests/fixtures/shown can say it: codes this
// program does not show (the cell keeps its value text), the 1904 date system, text sections,
// and what odd codes cost.
#include "data/NumberFormat.h"

#include <QRandomGenerator>
#include <QTest>

using namespace tagloom;

class NumberFormatTest : public QObject
{
    Q_OBJECT

private slots:
    void shows_data();
    void shows();
    void texts_data();
    void texts();
    void anyCodeShowsLittle();
};

void NumberFormatTest::shows_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("dates1904");
    QTest::addColumn<QString>("shown"); // null: the value text stays
    const struct
    {
        const char *name;
        QString code;
        double value;
        bool dates1904;
        QString shown;
    } cases[] = {
        {"1904: day 0", "yyyy-mm-dd dddd", 0, true, "1904-01-01 Friday"},
        {"1904: the last day", "yyyy-m-d", 2957003, true, "9999-12-31"},
        {"1904: past it", "yyyy-m-d", 2957004, true, {}},
        {"1900: day 0", "yyyy-mm-dd", 0.5, false, "1900-01-00"},
        {"1900: past the last day", "yyyy-m-d", 2958466, false, {}},
        {"elapsed over years", "[h]:mm", 2958465, false, "71003160:00"},
        {"Chinese Excel's General", "G/通用格式", 0.1, false, {}},
        {"Chinese colour", "[红色]0.00", 3, false, "3.00"},
        {"Chinese numerals", "[DBNum2]0", 12, false, {}},
        {"another calendar", "[$-1010409]yyyy", 45358, false, {}},
        {"the system's long date", "[$-F800]dddd, mmmm dd, yyyy", 45358, false, {}},
        {"letters that need quotes", "0 kg", 5, false, {}},
        {"an era", "ge.m.d", 45358, false, {}},
        {"an unclosed bracket", "[Red0.00", 5, false, {}},
        {"an unclosed quote runs to the end", "0\"kg", 5, false, "5kg"},
        {"digits in a date", "yyyy0", 45358, false, {}},
        {"a number past 15 digits", "0", 1e20, false, "100000000000000000000"},
        {"a fraction too large", "# ?/?", 1e16, false, {}},
        {"a condition that fails alone", "[>100]0", 5, false, {}},
        {"a code longer than Excel takes", QString(256, u'0'), 5, false, {}},
        {"the longest code Excel takes", QString(255, u'0'), 5, false, QString(254, u'0') + u'5'},
    };
    for (const auto &c : cases)
        QTest::newRow(c.name) << c.code << c.value << c.dates1904 << c.shown;
}

void NumberFormatTest::shows()
{
    QFETCH(QString, code);
    QFETCH(double, value);
    QFETCH(bool, dates1904);
    QFETCH(QString, shown);
    QCOMPARE(NumberFormat(code).number(value, dates1904).value_or(QString()), shown);
}

void NumberFormatTest::texts_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("shown"); // null: the text stays as it is
    QTest::newRow("the fourth section") << "0;-0;0;\"型号 \"@"
                                        << "型号 A1";
    QTest::newRow("a fourth section without @") << "0;-0;0;\"无\""
                                                << "无";
    QTest::newRow("no text section") << "0.00;-0.00" << QString();
    QTest::newRow("the text twice") << "@@" << QString();
    QTest::newRow("digits in the text's place") << "0;0;0;0" << QString();
}

void NumberFormatTest::texts()
{
    QFETCH(QString, code);
    QFETCH(QString, shown);
    QCOMPARE(NumberFormat(code).text(QStringLiteral("A1")).value_or(QString()), shown);
}

// Random codes of format characters on numbers from tiny to huge: an answer or none, never
// more text than the code and the number's digits make.
void NumberFormatTest::anyCodeShowsLittle()
{
    const QString alphabet = QStringLiteral("0#?.,;%E+-/ @\"\\_*[]<>=$hmsdyaAPMG年上午下e");
    const double values[] = {0, -0.5, 1e-300, 45358.75, -1234.5, 1e15, 2958465.99999, 1e308};
    QRandomGenerator random(20);
    for (int i = 0; i < 20000; ++i) {
        QString code;
        for (int length = int(random.bounded(24)); length > 0; --length)
            code += alphabet[qsizetype(random.bounded(int(alphabet.size())))];
        const NumberFormat format(code);
        for (const double value : values) {
            const std::optional<QString> shown = format.number(value, i % 2);
            QVERIFY2(!shown || shown->size() <= 24 * 10 + 500, qPrintable(code));
        }
        QVERIFY(format.text(QStringLiteral("x")).value_or(QString()).size() <= 25);
    }
}

QTEST_GUILESS_MAIN(NumberFormatTest)
#include "NumberFormatTest.moc"
