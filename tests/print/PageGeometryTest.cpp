// The page a label gets on a printer: the default media when the label fits its printable area,
// a custom page of the label's size when not, a refusal naming both sizes when the printer takes
// no custom sizes.
#include "print/PageGeometry.h"

#include <QTest>

using namespace tagloom;

namespace {

constexpr double inch = 72; // points

PrinterPaper labelPrinter()
{
    return {{"media", "custom_6x4in_6x4in", QSizeF(6 * inch, 4 * inch), {}},
        CustomSizes {QSizeF(0.5 * inch, 0.5 * inch), QSizeF(8 * inch, 50 * inch)}};
}

} // namespace

class PageGeometryTest : public QObject
{
    Q_OBJECT

private slots:
    void aLabelThatFitsGoesOnTheDefaultMedia()
    {
        QString refusal;
        const std::optional<PagePlan> same
            = PageGeometry::plan(QSizeF(6 * inch, 4 * inch), labelPrinter(), &refusal);
        QVERIFY(same);
        QCOMPARE(same->pageSize, QSizeF(432, 288));
        QCOMPARE(same->labelOrigin, QPointF(0, 0));
        QCOMPARE(same->mediaOption, QStringLiteral("media"));
        QCOMPARE(same->mediaValue, QStringLiteral("custom_6x4in_6x4in"));

        // An office printer: A4 with margins, the label at the top left of what it prints.
        const PrinterPaper office {
            {"PageSize", "A4", QSizeF(595.28, 841.89), QMarginsF(18, 12, 18, 24)}, {}};
        const std::optional<PagePlan> a4 = PageGeometry::plan(QSizeF(300, 200), office, &refusal);
        QVERIFY(a4);
        QCOMPARE(a4->pageSize, QSizeF(595.28, 841.89)); // the media to the dot
        QCOMPARE(a4->labelOrigin, QPointF(18, 12));
        QCOMPARE(a4->mediaOption, QStringLiteral("PageSize"));
        QCOMPARE(a4->mediaValue, QStringLiteral("A4"));
        // A hair larger than the media, from sizes given in millimetres: still the media.
        QVERIFY(PageGeometry::plan(QSizeF(6 * inch + 0.4, 4 * inch), labelPrinter(), &refusal));
    }

    void aLargerLabelGetsACustomPageOfItsSize()
    {
        QString refusal;
        const std::optional<PagePlan> plan
            = PageGeometry::plan(QSizeF(8 * inch, 5.01 * inch), labelPrinter(), &refusal);
        QVERIFY(plan);
        QCOMPARE(plan->pageSize, QSizeF(576, 360.72)); // the label to the dot
        QCOMPARE(plan->labelOrigin, QPointF(0, 0));
        QCOMPARE(plan->mediaOption, QStringLiteral("media"));
        QCOMPARE(plan->mediaValue, QStringLiteral("Custom.576x360.72"));
        // Margins count: this label fits the paper but not what the printer prints of it.
        PrinterPaper narrow = labelPrinter();
        narrow.defaultMedia.margins = QMarginsF(0, 0, 0, 9);
        QCOMPARE(PageGeometry::plan(QSizeF(6 * inch, 4 * inch), narrow, &refusal)->mediaValue,
            QStringLiteral("Custom.432x288"));
        // Asked for under the option of the default, which would otherwise override it.
        PrinterPaper serverDefault = labelPrinter();
        serverDefault.defaultMedia.option = QStringLiteral("PageSize");
        QCOMPARE(
            PageGeometry::plan(QSizeF(8 * inch, 5 * inch), serverDefault, &refusal)->mediaOption,
            QStringLiteral("PageSize"));
        // Never smaller than the smallest custom size the printer takes.
        PrinterPaper tiny = labelPrinter();
        tiny.defaultMedia.size = QSizeF(inch, 0.25 * inch);
        QCOMPARE(PageGeometry::plan(QSizeF(0.25 * inch, inch), tiny, &refusal)->pageSize,
            QSizeF(36, 72));
    }

    void refusalsNameBothSizes()
    {
        QString refusal;
        QVERIFY(!PageGeometry::plan(QSizeF(9 * inch, 4 * inch), labelPrinter(), &refusal));
        QCOMPARE(refusal,
            QStringLiteral(
                "标签（228.6 × 101.6 毫米）比打印机能用的最大纸张（203.2 × 1270.0 毫米）还大"));

        const PrinterPaper fixed {
            {"media", "custom_28.58x88.9mm_28.58x88.9mm", QSizeF(81, 252), {}}, {}};
        QVERIFY(!PageGeometry::plan(QSizeF(6 * inch, 4 * inch), fixed, &refusal));
        QCOMPARE(refusal,
            QStringLiteral("标签（152.4 × 101.6 毫米）比打印机的纸张（28.6 × 88.9 "
                           "毫米）大，而这台打印机不接受自定义纸张尺寸"));

        PrinterPaper withMargins = fixed;
        withMargins.defaultMedia.margins = QMarginsF(2, 15, 2, 15);
        QVERIFY(!PageGeometry::plan(QSizeF(80, 240), withMargins, &refusal));
        QCOMPARE(refusal,
            QStringLiteral(
                "标签（28.2 × 84.7 毫米）比打印机纸张（28.6 × 88.9 毫米）上能打印的范围（27.2 × "
                "78.3 毫米）大，而这台打印机不接受自定义纸张尺寸"));
    }
};

QTEST_GUILESS_MAIN(PageGeometryTest)
#include "PageGeometryTest.moc"
