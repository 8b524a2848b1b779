// Checks the QR code generator by reading its pictures back as a scanner and from their modules.
#include "codes/QrMaker.h"

#include "TestPage.h"
#include "codes/QrEncoder.h"
#include "support/CodeDecoder.h"
#include "support/QrFormatReader.h"

#include <QImageReader>
#include <QSet>
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
        QCOMPARE(decodeQr(stretched(*maker.codePicture(), {1005, 1005})), maker.codeData());
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
            {"one chinese", QStringLiteral("中")}, // the fewest bytes a reader has to guess from
            {"mixed", QStringLiteral("ABC-123 中文 test")},
            {"long ascii", QStringLiteral("https://example.com/item?id=") + QString(120, 'x')},
            {"long chinese", QStringLiteral("条形码二维码标签打印").repeated(6)},
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
        const auto decoded = findQr(stretched(*refreshed(text).codePicture(), size));
        QVERIFY(decoded);
        QCOMPARE(decoded->text, text);
        QCOMPARE(decoded->ecLevel, QStringLiteral("M"));
    }

    // The smallest version for level M: capacities of versions 1 and 40 by data mode. The version
    // comes from the picture size, so this also holds the picture to the symbol without margin.
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
        QVERIFY(QrMaker::canEncode(text, QrLevel::M, nullptr));
        const auto format = readQrFormat(*refreshed(text).codePicture());
        QVERIFY(format);
        QCOMPARE(format->version, version);
        QCOMPARE(format->ecLevel, 'M');
    }

    // A forced mask is the one in the symbol (this also checks the format reader on every mask);
    // refreshes let zint pick the best mask per text, so different texts get different masks.
    void masks()
    {
        for (int mask = 0; mask < 8; ++mask) {
            const auto picture
                = QrEncoder::encode("mask", QrLevel::M, QrEncoder::smallestVersion, mask, {});
            QCOMPARE(readQrFormat(picture.value()).value().mask, mask);
            QCOMPARE(decodeQr(stretched(*picture, {1005, 1005})), QStringLiteral("mask"));
        }
        QSet<int> chosen;
        for (int i = 0; i < 16; ++i)
            chosen << readQrFormat(*refreshed(QString::number(i)).codePicture()).value().mask;
        QVERIFY(chosen.size() > 1);
    }

    void pictureIdentity()
    {
        QrMaker maker;
        const auto design = maker.codePicture();
        maker.setCodeData(QStringLiteral("A1"));
        QCOMPARE(maker.codePicture(), design);
        maker.refresh();
        const auto first = maker.codePicture();
        QVERIFY(first != design);
        QCOMPARE(maker.codePicture(), first);
        maker.refresh();
        QVERIFY(maker.codePicture() != first);
    }

    // Every level is the one in the symbol and the one a scanner reports; the design code keeps
    // version 1 and mask 0 at each, and a level taken back gives back the very picture it had.
    void levels()
    {
        QrMaker design;
        const auto designM = design.codePicture();
        QrMaker rows = refreshed(QStringLiteral("https://example.com/p/TL-0001"));
        for (const QrLevel level : allQrLevels) {
            const char name = qrLevelName(level).front().toLatin1();
            design.setLevel(level);
            const auto format = readQrFormat(*design.codePicture());
            QCOMPARE(format->ecLevel, name);
            QCOMPARE(std::pair(format->version, format->mask), std::pair(1, 0));
            rows.setLevel(level);
            const auto decoded = findQr(stretched(*rows.codePicture(), {1500, 1500}));
            QCOMPARE(decoded->text, rows.codeData());
            QCOMPARE(decoded->ecLevel, qrLevelName(level));
        }
        design.setLevel(QrLevel::M);
        QCOMPARE(design.codePicture(), designM);
        // What level M holds, level H may not: 2331 bytes fill version 40 at M.
        QVERIFY(QrMaker::canEncode(QString(2331, 'q'), QrLevel::M, nullptr));
        QVERIFY(!QrMaker::canEncode(QString(2331, 'q'), QrLevel::H, nullptr));
        // What the check lets through untried, zint encodes: that many bytes of Chinese mixed
        // with letters, at every level.
        for (const auto &[level, bytes] :
            {std::pair {QrLevel::L, 2945}, std::pair {QrLevel::M, 2323},
                std::pair {QrLevel::Q, 1655}, std::pair {QrLevel::H, 1265}}) {
            QString text = QString(bytes / 6, QChar(0x4E2D)) + QString(bytes / 6, 'q');
            text += QString(bytes - int(text.toUtf8().size()), 'q');
            QVERIFY(QrMaker::canEncode(text, level, nullptr));
            QVERIFY(
                QrEncoder::encode(text.toUtf8(), level, QrEncoder::smallestVersion, 0, nullptr));
            QVERIFY(!QrMaker::canEncode(text + QString(bytes / 10, 'q'), level, nullptr));
        }
        QCOMPARE(QrMaker::modulesFor(QString(100, 'q'), QrLevel::L), 37); // version 5
        QCOMPARE(QrMaker::modulesFor(QString(100, 'q'), QrLevel::H), 57); // version 10
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
        QCOMPARE(QrMaker::canEncode(text, QrLevel::M, &reason), !refused);
        QCOMPARE(reason.isEmpty(), !refused);
        QrMaker maker = refreshed(text);
        QVERIFY(maker.codePicture()->isNull());
        QCOMPARE(maker.lastProblem(), reason);
        QTemporaryDir dir;
        QVERIFY(!maker.saveBitmap(dir.filePath("none.bmp"), 2, &reason));
        QVERIFY(!reason.isEmpty());
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
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write(QByteArray(100000, 'x')) > 0);
        old.close();
        const QrMaker maker = refreshed(QStringLiteral("保存 bitmap 0815"));
        QString reason;
        QVERIFY(maker.saveBitmap(path, 2, &reason));
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("bmp"));
        QCOMPARE(reader.read().convertToFormat(QImage::Format_Grayscale8),
            maker.codePicture()->convertToFormat(QImage::Format_Grayscale8));
        QVERIFY(!maker.saveBitmap(dir.filePath("missing/code.bmp"), 2, &reason));
        QVERIFY(!reason.isEmpty());
    }

private:
    static QrMaker refreshed(const QString &text)
    {
        QrMaker maker;
        maker.setCodeData(text);
        maker.refresh();
        return maker;
    }

    static QImage stretched(const QImage &picture, const QSizeF &size)
    {
        return TestPage::render(size, [&](QPainter &p) { p.drawImage(QRectF({}, size), picture); });
    }
};

QTEST_MAIN(QrMakerTest)
#include "QrMakerTest.moc"
