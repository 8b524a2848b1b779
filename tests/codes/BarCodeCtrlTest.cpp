// Checks the barcode component by scanning what it paints inside a holder on a 300 dpi page.
#include "codes/BarCodeCtrl.h"

#include "TestPage.h"
#include "support/CodeDecoder.h"

#include <QPicture>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

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

    // Drawn on a dot grid, every bar and space is a whole number of equal modules.
    void wholePixelModules()
    {
        const QImage page = TestPage::render(component, [&](QPainter &p) {
            barFor(QStringLiteral("ShirtBlue"))
                .paint(p, QRectF({}, component), strip, DotGrid::of(p));
        });
        const QRect ink = inkBounds(page);
        QVERIFY(toPixels(strip).contains(ink));
        const QList<int> runs = runsAcross(page, ink.top(), ink);
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

    void refusesAndBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("reason");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("chinese") << QStringLiteral("货号123")
                                 << QStringLiteral("条形码只能包含西文字符");
        QTest::newRow("emoji") << QStringLiteral("A\U0001F600")
                               << QStringLiteral("条形码只能包含西文字符");
        QTest::newRow("61 letters") << QString(61, 'A') << QStringLiteral("条形码内容太长");
        QTest::newRow("122 digits") << QString(122, '5') << QStringLiteral("条形码内容太长");
    }

    void refusesAndBlanks()
    {
        QFETCH(QString, text);
        QFETCH(QString, reason);
        QString why;
        QCOMPARE(BarCodeCtrl::canEncode(text, &why), reason.isEmpty());
        QCOMPARE(why, reason);
        BarCodeCtrl bar;
        bar.setValue(QStringLiteral("ok"));
        bar.setValue(text);
        QCOMPARE(bar.value(), text);
        QCOMPARE(bar.problem(), reason);
        QVERIFY(inkBounds(inHolder(bar, {5000, 1000})).isEmpty());
    }

private:
    const QSizeF component {9000, 800};
    const QRectF strip {400, 0, 5000, 800};

    static BarCodeCtrl barFor(const QString &text)
    {
        BarCodeCtrl bar;
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
