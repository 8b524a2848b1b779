// Checks the barcode component by scanning what it paints inside a holder on a 300 dpi page, in
// every type it draws.
#include "codes/BarCodeCtrl.h"

#include "TestPage.h"
#include "support/CodeDecoder.h"

#include <QPicture>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

namespace {

// A value of each type, ZXing's name for the type and the text it reads: EAN, UPC and ITF-14
// with the check digit the standard gives them.
struct Sample
{
    BarcodeType type;
    const char *format;
    QString value;
    QString read;
};

const QList<Sample> samples = {
    {BarcodeType::Code128, "Code128", "ShirtBlue", "ShirtBlue"},
    {BarcodeType::Ean13, "EAN13", "400638133393", "4006381333931"},
    {BarcodeType::Ean8, "EAN8", "9638507", "96385074"},
    {BarcodeType::UpcA, "UPCA", "03600029145", "036000291452"},
    {BarcodeType::Itf14, "ITF", "1540014128876", "15400141288763"},
    {BarcodeType::Code39, "Code39", "ABC-123 $/+%", "ABC-123 $/+%"},
    {BarcodeType::Gs1_128, "Code128", "(01)09501101530003(10)ABC", "010950110153000310ABC"},
    {BarcodeType::DataMatrix, "DataMatrix", "青花茶杯 SKU-000123", "青花茶杯 SKU-000123"},
    {BarcodeType::Pdf417, "PDF417", "SKU-000123 白瓷碗", "SKU-000123 白瓷碗"},
};

} // namespace

Q_DECLARE_METATYPE(Sample)
Q_DECLARE_METATYPE(BarcodeType)

class BarCodeCtrlTest : public QObject
{
    Q_OBJECT

private slots:
    void startsHiddenAtDesignPlace()
    {
        const BarCodeCtrl bar;
        QCOMPARE(bar.geometry(), (TwipsRect {-400, 0, 5000, 855}));
        QVERIFY(!bar.isVisible());
        QVERIFY(bar.value().isEmpty());
    }

    void decodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSizeF>("holder");
        const QList<QPair<const char *, QString>> texts = {
            {"letters", QStringLiteral("ShirtBlue")},
            {"digits", QStringLiteral("4006381333931")},
            {"punctuation", QStringLiteral("A-1/B.2+C%$ #(x)")},
            {"latin1", QStringLiteral("Müller Ærø ¿ñ?")},
            {"mixed sets", QStringLiteral("ab12345678cdEF90")},
            {"long", QStringLiteral("SKU-2026-000123456789-LOT-77")},
        };
        for (const auto &[name, text] : texts) {
            for (const QSizeF &holder : {QSizeF(5000, 1000), QSizeF(6000, 800)})
                QTest::addRow("%s %gx%g", name, holder.width(), holder.height()) << text << holder;
        }
    }

    void decodes()
    {
        QFETCH(QString, text);
        QFETCH(QSizeF, holder);
        QCOMPARE(decodeCode128(inHolder(barFor(text), holder)), text);
    }

    void everyTypeDecodes_data()
    {
        QTest::addColumn<Sample>("sample");
        QTest::addColumn<QSizeF>("holder");
        for (const Sample &sample : samples) {
            for (const QSizeF &holder : {QSizeF(5000, 1000), QSizeF(3000, 1500)})
                QTest::addRow("%s %gx%g", qPrintable(barcodeTypeName(sample.type)), holder.width(),
                    holder.height())
                    << sample << holder;
        }
    }

    void everyTypeDecodes()
    {
        QFETCH(Sample, sample);
        QFETCH(QSizeF, holder);
        const std::optional<DecodedCode> read
            = findCode(inHolder(barFor(sample.value, sample.type), holder), sample.format);
        QVERIFY(read);
        QCOMPARE(read->text, sample.read);
    }

    // EAN and UPC draw their guard bars down between the digits: just below the other bars only
    // they go on, two bars a guard (UPC-A: its first and last digit's bars too). Other types end
    // all bars at one height.
    void guardBarsReachIntoTheText_data()
    {
        QTest::addColumn<Sample>("sample");
        QTest::addColumn<int>("longBars");
        QTest::newRow("EAN-13") << samples[1] << 6;
        QTest::newRow("EAN-8") << samples[2] << 6;
        QTest::newRow("UPC-A") << samples[3] << 10;
        QTest::newRow("Code 128") << samples[0] << 0;
    }

    void guardBarsReachIntoTheText()
    {
        QFETCH(Sample, sample);
        QFETCH(int, longBars);
        const QImage page = inHolder(barFor(sample.value, sample.type), {5000, 1000});
        const QRect ink = inkBounds(page);
        int y = ink.top();
        while (sameRow(page, ink.top(), y, ink))
            ++y;
        int bars = 0;
        for (int x = ink.left(); x <= ink.right(); ++x)
            bars += isInk(page, x, y) && !isInk(page, x - 1, y);
        QCOMPARE(bars, longBars);
    }

    // On vector devices the whole symbol, with ten empty modules each side, spans the strip the
    // holder shows, and nothing lands outside it.
    void fillsTheStrip()
    {
        QPicture recording; // a vector device, like a PDF or a printer
        QPainter recorder(&recording);
        barFor(QStringLiteral("ShirtBlue"))
            .paint(recorder, QRectF({}, component), strip, std::nullopt);
        recorder.end();
        const QImage page
            = TestPage::render(component, [&](QPainter &p) { p.drawPicture(0, 0, recording); });
        const QRect stripPixels = toPixels(strip);
        const QRect ink = inkBounds(page);
        QVERIFY(stripPixels.contains(ink));
        const QList<int> runs = runsAcross(page, ink.top(), ink);
        const int module = *std::min_element(runs.begin(), runs.end());
        for (const int gap : {ink.left() - stripPixels.left(), stripPixels.right() - ink.right()}) {
            QVERIFY(gap >= 9.5 * module);
            QVERIFY(gap <= 12 * module);
        }
    }

    // Drawn on a dot grid, every bar and space, every module of a matrix symbol, is a whole number
    // of equal modules.
    void wholePixelModules_data()
    {
        QTest::addColumn<Sample>("sample");
        for (const Sample &sample : samples)
            QTest::addRow("%s", qPrintable(barcodeTypeName(sample.type))) << sample;
    }

    void wholePixelModules()
    {
        QFETCH(Sample, sample);
        const QImage page = TestPage::render(component, [&](QPainter &p) {
            barFor(sample.value, sample.type)
                .paint(p, QRectF({}, component), strip, DotGrid::of(p));
        });
        const QRect ink = inkBounds(page);
        QVERIFY(toPixels(strip).contains(ink));
        // From the first bar to the last: EAN and UPC have digits beside their bars.
        const int y = ink.center().y();
        const QRect bars = inkBounds(page.copy(0, y, page.width(), 1)).translated(0, y);
        const QList<int> runs = runsAcross(page, y, bars);
        const int module = *std::min_element(runs.begin(), runs.end());
        QVERIFY(module >= 2);
        for (const int run : runs)
            QCOMPARE(run % module, 0);
    }

    // Text below the bars only where the bars keep 70 % of the height.
    void textBelowBars_data()
    {
        QTest::addColumn<qreal>("height");
        QTest::addColumn<bool>("withText");
        QTest::newRow("label height") << qreal(855) << true;
        QTest::newRow("tall") << qreal(3000) << true;
        QTest::newRow("low") << qreal(300) << false;
    }

    void textBelowBars()
    {
        QFETCH(qreal, height);
        QFETCH(bool, withText);
        const QSizeF holder(5000, height);
        const QImage page = inHolder(barFor(QStringLiteral("TEXT-42")), holder);
        const QRect area = TestPage::areaPixels(holder);
        const QRect ink = inkBounds(page);
        int barRows = 0;
        while (sameRow(page, ink.top(), ink.top() + barRows, ink))
            ++barRows;
        QVERIFY(barRows >= 0.7 * area.height());
        QCOMPARE(barRows < ink.height(), withText);
        QVERIFY(ink.bottom() <= area.bottom());
    }

    // An empty text is an intended blank. The GS1 number types take their digits without the
    // check digit, which is added, or with it, which must be right; a text a type cannot carry
    // draws nothing and says why.
    void refusesAndBlanks_data()
    {
        QTest::addColumn<BarcodeType>("type");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason"); // empty: no refusal
        const auto row
            = [](const char *tag, BarcodeType type, const QString &text, const char *reason) {
                  QTest::newRow(tag) << type << text << QString::fromUtf8(reason);
              };
        const char *latin1 = "不能生成条形码：条形码只能包含西文字符";
        const char *tooLong = "不能生成条形码：条形码内容太长";
        const char *ean13Digits = "不是 EAN-13：应为12位数字，或连校验位13位";
        using enum BarcodeType;
        row("empty", Code128, "", "");
        row("chinese", Code128, "货号123", latin1);
        row("emoji", Code128, "A\U0001F600", latin1);
        row("61 letters", Code128, QString(61, 'A'), tooLong);
        row("122 digits", Code128, QString(122, '5'), tooLong);
        row("EAN-13 check digit added", Ean13, "590123412345", "");
        row("EAN-13 check digit verified", Ean13, "5901234123457", "");
        row("EAN-13 check digit wrong", Ean13, "5901234123458", "不是 EAN-13：校验位应为 7");
        row("EAN-13 too short", Ean13, "59012341234", ean13Digits);
        row("EAN-13 letters", Ean13, "59012341234X", ean13Digits);
        row("EAN-8 check digit wrong", Ean8, "96385070", "不是 EAN-8：校验位应为 4");
        row("UPC-A check digit wrong", UpcA, "036000291453", "不是 UPC-A：校验位应为 2");
        row("ITF-14 check digit wrong", Itf14, "15400141288760", "不是 ITF-14：校验位应为 3");
        row("Code 39 small letters", Code39, "abc",
            "不是 Code 39：只能包含数字、大写字母、空格和 - . $ / + %");
        row("GS1-128 without AI", Gs1_128, "0109501101530003",
            "不是 GS1-128：应写成 (01)09501101530003(10)ABC 这样的应用标识符加数据");
        row("GS1-128 check digit", Gs1_128, "[01]09501101530004",
            "不是 GS1-128：应用标识符 (01) 的校验位应为 3");
        row("PDF417 too long", Pdf417, QString(3000, 'x'), "不能生成 PDF417：内容太长");
    }

    void refusesAndBlanks()
    {
        QFETCH(BarcodeType, type);
        QFETCH(QString, text);
        QFETCH(QString, reason);
        QString why;
        BarCodeCtrl bar = barFor(QStringLiteral("1234567"), type);
        QCOMPARE(bar.canEncode(text, &why), reason.isEmpty());
        QCOMPARE(why, reason);
        bar.setValue(text);
        QCOMPARE(bar.value(), text);
        QCOMPARE(bar.problem(), reason);
        QCOMPARE(
            inkBounds(inHolder(bar, {5000, 1000})).isEmpty(), text.isEmpty() || !reason.isEmpty());
    }

private:
    const QSizeF component {9000, 800};
    const QRectF strip {400, 0, 5000, 800};

    static BarCodeCtrl barFor(const QString &text, BarcodeType type = BarcodeType::Code128)
    {
        BarCodeCtrl bar;
        bar.setType(type);
        bar.setValue(text);
        return bar;
    }

    // The component as the holder places it: 400 twips to the left and 3000 wider.
    static QImage inHolder(const BarCodeCtrl &bar, const QSizeF &holder)
    {
        return TestPage::render(holder, [&](QPainter &p) {
            p.fillRect(QRectF({}, holder), Qt::gray); // anything not painted white shows up
            bar.paint(p, QRectF(-400, 0, holder.width() + 3000, holder.height()),
                QRectF(0, 0, holder.width(), holder.height()), DotGrid::of(p));
        });
    }

    QRect toPixels(const QRectF &twips) const
    {
        const QRect all = TestPage::areaPixels(component);
        const double scale = all.width() / component.width();
        return QRectF(all.topLeft() + twips.topLeft() * scale, twips.size() * scale).toRect();
    }

    static bool isInk(const QImage &page, int x, int y) { return qGray(page.pixel(x, y)) < 250; }

    static QRect inkBounds(const QImage &page)
    {
        QRect bounds;
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                if (isInk(page, x, y)) bounds |= QRect(x, y, 1, 1);
            }
        }
        return bounds;
    }

    static bool sameRow(const QImage &page, int y1, int y2, const QRect &span)
    {
        for (int x = span.left(); x <= span.right(); ++x) {
            if (y2 > span.bottom() || isInk(page, x, y1) != isInk(page, x, y2)) return false;
        }
        return true;
    }

    // Lengths of the alternating ink and paper runs in row y across span.
    static QList<int> runsAcross(const QImage &page, int y, const QRect &span)
    {
        QList<int> runs {1};
        for (int x = span.left() + 1; x <= span.right(); ++x) {
            if (isInk(page, x, y) == isInk(page, x - 1, y))
                ++runs.last();
            else
                runs.append(1);
        }
        return runs;
    }
};

QTEST_MAIN(BarCodeCtrlTest)
#include "BarCodeCtrlTest.moc"
