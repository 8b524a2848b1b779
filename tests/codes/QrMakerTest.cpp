// Checks the QR code generator by reading its pictures back as a scanner and from their modules.
#include "codes/QrMaker.h"

#include "CodeDecoder.h"
#include "QrFormatReader.h"
#include "TestPage.h"
#include "codes/QrEncoder.h"

#include <QImageReader>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class QrMakerTest : public QObject
{
    Q_OBJECT

private slots:
    void designCode()
    {
        const QrMaker maker;
        QCOMPARE(maker.codeData(), QStringLiteral("QRCODE"));
        const auto format = readQrFormat(*maker.codePicture());
        QVERIFY(format);
        QCOMPARE(format->version, 1);
        QCOMPARE(format->ecLevel, 'M');
        QCOMPARE(format->mask, 0);
        QCOMPARE(decodeQr(stretched(*maker.codePicture(), {1005, 1005})), QStringLiteral("QRCODE"));
    }

    void decodesStretched_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QSizeF>("size");
        const QList<QPair<const char *, QString>> texts = {
            {"ascii", QStringLiteral("SKU-4711 Blue shirt, size M")},
            {"digits", QStringLiteral("0123456789012345678901234567890123")},
            {"latin1", QStringLiteral("Müller & Söhne")},
            {"chinese", QStringLiteral("上海市浦东新区张江路88号")},
            {"mixed", QStringLiteral("ABC-123 中文 test")},
            {"long ascii",
                QStringLiteral("https://example.com/item?id=").append(QString(120, 'x'))},
            {"long chinese", QString(QStringLiteral("条形码二维码标签打印")).repeated(6)},
        };
        for (const auto &[name, text] : texts) {
            for (const QSizeF &size : {QSizeF(1005, 1005), QSizeF(1500, 900), QSizeF(2000, 2000)})
                QTest::addRow("%s %gx%g", name, size.width(), size.height()) << text << size;
        }
    }

    void decodesStretched()
    {
        QFETCH(QString, text);
        QFETCH(QSizeF, size);
        QrMaker maker;
        maker.setCodeData(text);
        maker.refresh();
        QVERIFY(maker.lastProblem().isEmpty());
        const QImage &picture = *maker.codePicture();
        const auto format = readQrFormat(picture);
        QVERIFY(format);
        QCOMPARE(format->ecLevel, 'M');
        const auto decoded = findQr(stretched(picture, size));
        QVERIFY(decoded);
        QCOMPARE(decoded->text, text);
        QCOMPARE(decoded->ecLevel, QStringLiteral("M"));
    }

    // The picture is the code itself: finder patterns in three corners, no quiet zone.
    void drawnEdgeToEdge()
    {
        QrMaker maker;
        maker.setCodeData(QStringLiteral("edge"));
        maker.refresh();
        const QImage &picture = *maker.codePicture();
        const int last = picture.width() - 1;
        for (const QPoint &corner : {QPoint(0, 0), QPoint(last - 6, 0), QPoint(0, last - 6)}) {
            for (int i = 0; i < 7; ++i) {
                QCOMPARE(qGray(picture.pixel(corner + QPoint(i, 0))), 0);
                QCOMPARE(qGray(picture.pixel(corner + QPoint(0, i))), 0);
            }
            QCOMPARE(qGray(picture.pixel(corner + QPoint(1, 1))), 255);
        }
    }

    // The smallest version for level M: capacities of versions 1 and 40 by data mode.
    void smallestVersion_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("version");
        QTest::newRow("34 digits") << QString(34, '7') << 1;
        QTest::newRow("35 digits") << QString(35, '7') << 2;
        QTest::newRow("20 alphanumerics") << QString(20, 'Q') << 1;
        QTest::newRow("21 alphanumerics") << QString(21, 'Q') << 2;
        QTest::newRow("14 bytes") << QString(14, 'q') << 1;
        QTest::newRow("15 bytes") << QString(15, 'q') << 2;
        QTest::newRow("2331 bytes") << QString(777, QChar(0x4E2D)) << 40;
        QTest::newRow("5596 digits") << QString(5596, '1') << 40;
    }

    void smallestVersion()
    {
        QFETCH(QString, text);
        QFETCH(int, version);
        QVERIFY(QrMaker::canEncode(text, nullptr));
        QrMaker maker;
        maker.setCodeData(text);
        maker.refresh();
        const auto format = readQrFormat(*maker.codePicture());
        QVERIFY(format);
        QCOMPARE(format->version, version);
        QCOMPARE(format->ecLevel, 'M');
    }

    void forcedMask_data()
    {
        QTest::addColumn<int>("mask");
        for (int mask = 0; mask < 8; ++mask)
            QTest::addRow("mask %d", mask) << mask;
    }

    void forcedMask()
    {
        QFETCH(int, mask);
        const auto picture
            = QrEncoder::encode("forced mask", QrEncoder::smallestVersion, mask, nullptr);
        QVERIFY(picture);
        const auto format = readQrFormat(*picture);
        QVERIFY(format);
        QCOMPARE(format->mask, mask);
        QCOMPARE(decodeQr(stretched(*picture, {1005, 1005})), QStringLiteral("forced mask"));
    }

    void pictureIdentity()
    {
        QrMaker maker;
        const auto design = maker.codePicture();
        QCOMPARE(maker.codePicture(), design);
        maker.setCodeData(QStringLiteral("A1"));
        QCOMPARE(maker.codePicture(), design);
        maker.refresh();
        const auto first = maker.codePicture();
        QVERIFY(first != design);
        QCOMPARE(maker.codePicture(), first);
        maker.refresh();
        QVERIFY(maker.codePicture() != first);
    }

    void refusesAndBlanks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("2332 bytes") << QString(2332, 'q') << true;
        QTest::newRow("5597 digits") << QString(5597, '1') << true;
        QTest::newRow("778 Chinese") << QString(778, QChar(0x4E2D)) << true;
    }

    void refusesAndBlanks()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        QString reason;
        QCOMPARE(QrMaker::canEncode(text, &reason), !refused);
        QCOMPARE(reason.isEmpty(), !refused);
        QrMaker maker;
        maker.setCodeData(text);
        maker.refresh();
        QVERIFY(maker.codePicture()->isNull());
        QCOMPARE(maker.lastProblem(), reason);
        QVERIFY(!maker.saveBitmap(QDir::temp().filePath("tagloom-none.bmp"), 2, &reason));
        QVERIFY(!reason.isEmpty());
        // A good text afterwards clears the problem.
        maker.setCodeData(QStringLiteral("ok"));
        maker.refresh();
        QVERIFY(!maker.codePicture()->isNull());
        QVERIFY(maker.lastProblem().isEmpty());
    }

    void saveBitmap()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("code.bmp");
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
        old.close();

        QrMaker maker;
        maker.setCodeData(QStringLiteral("保存 bitmap 0815"));
        maker.refresh();
        QString reason;
        QVERIFY(maker.saveBitmap(path, 2, &reason));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        const QImage saved = reader.read();
        const QImage &picture = *maker.codePicture();
        QCOMPARE(saved.size(), picture.size());
        QCOMPARE(saved.convertToFormat(QImage::Format_Grayscale8), picture);

        QVERIFY(!maker.saveBitmap(dir.filePath("missing/code.bmp"), 2, &reason));
        QVERIFY(!reason.isEmpty());
    }

private:
    static QImage stretched(const QImage &picture, const QSizeF &size)
    {
        return TestPage::render(size, [&](QPainter &p) { p.drawImage(QRectF({}, size), picture); });
    }
};

QTEST_MAIN(QrMakerTest)
#include "QrMakerTest.moc"
