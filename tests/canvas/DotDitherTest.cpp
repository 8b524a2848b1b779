// A picture for printer dots: each grey burns its share of the dots, paper-coloured and near black
// pictures print as paper and as black, and only black and white come out.
#include "canvas/DotDither.h"

#include <QTest>

using namespace tagloom;

class DotDitherTest : public QObject
{
    Q_OBJECT

private slots:
    void eachGreyBurnsItsShare_data()
    {
        QTest::addColumn<int>("grey");
        QTest::addColumn<int>("fewest"); // of the 64 dots of one 8 x 8 tile
        QTest::addColumn<int>("most");
        QTest::newRow("black") << 0 << 64 << 64;
        QTest::newRow("near black") << 12 << 64 << 64;
        QTest::newRow("dark grey") << 64 << 47 << 50;
        QTest::newRow("half grey") << 128 << 30 << 34;
        QTest::newRow("light grey") << 200 << 10 << 13;
        QTest::newRow("paper colour #fffdf8") << qGray(0xff, 0xfd, 0xf8) << 0 << 0;
        QTest::newRow("white") << 255 << 0 << 0;
    }

    void eachGreyBurnsItsShare()
    {
        QFETCH(int, grey);
        QFETCH(int, fewest);
        QFETCH(int, most);
        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(qRgb(grey, grey, grey));
        const QImage dots = ditheredToDots(picture);
        QCOMPARE(dots.size(), picture.size());
        int burnt = 0;
        for (int y = 8; y < 16; ++y)
            for (int x = 0; x < 8; ++x) {
                const int level = dots.pixelColor(x, y).value();
                QVERIFY(level == 0 || level == 255);
                burnt += level == 0;
            }
        QVERIFY2(burnt >= fewest && burnt <= most, qPrintable(QString::number(burnt)));
    }
};

QTEST_GUILESS_MAIN(DotDitherTest)
#include "DotDitherTest.moc"
