// Labels made ahead of the painter on a thread of their own: in order, with their counters and
// codes, until a bitmap that cannot be written ends them at its label; stopped early, the thread
// goes no further than the labels it may make ahead. The model alone, without windows.
#include "print/LabelsAhead.h"

#include "canvas/LabelContent.h"
#include "data/DataTable.h"
#include "support/CodeDecoder.h"

#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <atomic>

using namespace tagloom;
using namespace tagloom::test;

class LabelsAheadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void labelsComeInOrderUntilTheBitmapFails();
    void stoppingEndsTheThreadEarly();

private:
    DataTable table_;
    LabelDesign design_;
};

void LabelsAheadTest::initTestCase()
{
    table_.bind(2, {"SKU", "名称", "TL-1", "茶杯", "TL-2", "茶碗", "TL-3", "茶壶"});
    QVERIFY(table_.numberRows());
    QVERIFY(design_.loadField(1) && design_.loadField(2));
    FieldItem counter = LabelDesign::newTextItem();
    counter.caption = QStringLiteral("{序号:001}");
    design_.addTextItem(counter);
    design_.setCodeImageTemplate(QStringLiteral("{SKU}/{序号}"));
    design_.setQrLevel(QrLevel::H);
}

void LabelsAheadTest::labelsComeInOrderUntilTheBitmapFails()
{
    LabelContent content(design_, &table_, 0, 1);
    QString problem;
    QVERIFY2(content.bind(&problem), qPrintable(problem));
    QTemporaryDir folder;
    // Thirty labels a row; the folder goes before the seventieth is made.
    const LabelsAhead::Sequence sequence = [&](const auto &label) {
        for (int n = 0; n < 90; ++n) {
            if (n == 69) QDir(folder.path()).removeRecursively();
            if (!label({n / 30 + 1, n, {}})) return;
        }
    };
    LabelsAhead labels(content, design_.qrLevel(), folder.filePath("qr.bmp"), sequence);
    for (int n = 0; n < 69; ++n) {
        const int row = n / 30 + 1;
        LabelRow made;
        QVERIFY(labels.next({row, n, {}}, made, &problem));
        QCOMPARE(made.captions.at(2), table_.cell(row, 2));
        QCOMPARE(made.texts.at(0), QStringLiteral("%1").arg(n + 1, 3, 10, QChar('0')));
        QCOMPARE(made.barcode->value(), table_.cell(row, 1));
        QImage quietZone(260, 260, QImage::Format_Grayscale8);
        quietZone.fill(Qt::white);
        QPainter(&quietZone).drawImage(QRect(30, 30, 200, 200), **made.qrPicture);
        const std::optional<DecodedCode> qr = findQr(quietZone);
        QVERIFY(qr);
        QCOMPARE(qr->text, QStringLiteral("TL-%1/%2").arg(row).arg(n + 1));
        QCOMPARE(qr->ecLevel, QStringLiteral("H"));
    }
    LabelRow made;
    QVERIFY(!labels.next({3, 69, {}}, made, &problem));
    QCOMPARE(problem, QStringLiteral("无法写入位图文件：%1").arg(folder.filePath("qr.bmp")));
}

void LabelsAheadTest::stoppingEndsTheThreadEarly()
{
    LabelContent content(design_, &table_, 0, 1);
    QString problem;
    QVERIFY(content.bind(&problem));
    QTemporaryDir folder;
    std::atomic<int> begun = 0;
    {
        LabelsAhead labels(content, QrLevel::M, folder.filePath("qr.bmp"), [&](const auto &label) {
            while (label({1, begun++, {}})) { }
        });
        LabelRow made;
        QVERIFY(labels.next({1, 0, {}}, made, &problem));
        QVERIFY(labels.next({1, 1, {}}, made, &problem));
    }
    // The two taken, those waiting to be, and the one the stop found begun.
    QVERIFY2(begun <= 2 + int(LabelsAhead::mostAhead) + 1, qPrintable(QString::number(begun)));
}

QTEST_MAIN(LabelsAheadTest)
#include "LabelsAheadTest.moc"
