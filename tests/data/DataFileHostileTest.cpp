// Damaged and foreign files: the readers read or refuse them, never crash or hang.
#include "SampleDataFiles.h"
#include "data/DataFileReader.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

using namespace tagloom;

class DataFileHostileTest : public QObject
{
    Q_OBJECT

private slots:
    void junk_data();
    void junk();
    void damagedSamples_data();
    void damagedSamples();
};

namespace {

// What is wrong with the outcome of reading bytes, or an empty text when nothing is.
QString problem(const QByteArray &bytes, const QString &fileName)
{
    // A reader that hangs is caught by the test's own time limit; how fast one reads is for the
    // benchmark, not for a test on a machine that may be busy.
    QString reason;
    const std::optional<Sheet> sheet = DataFileReader::readSheet1(bytes, fileName, &reason);
    if (!sheet) return reason.isEmpty() ? QStringLiteral("refused without a reason") : QString();
    if (sheet->columnCount() < 1 || sheet->rowCount() < 1) return QStringLiteral("no header row");
    for (int column = 0; column < sheet->columnCount(); ++column) {
        if (sheet->cell(0, column).isEmpty()) return QStringLiteral("unnamed column");
    }
    return {};
}

QByteArray randomBytes(QRandomGenerator &random, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = char(random.bounded(256));
    return bytes;
}

} // namespace

void DataFileHostileTest::junk_data()
{
    QTest::addColumn<QByteArray>("prefix");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("random") << QByteArray() << "junk.xls";
    QTest::newRow("OLE2 signature")
        << QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) << "junk.xls";
    QTest::newRow("zip signature") << QByteArray("PK\x03\x04", 4) << "junk.xlsx";
    QTest::newRow("empty zip") << QByteArray("PK\x05\x06", 4) << "junk.ods";
    QTest::newRow("text") << QByteArray("a,b\n") << "junk.csv";
}

void DataFileHostileTest::junk()
{
    QFETCH(QByteArray, prefix);
    QFETCH(QString, fileName);
    QRandomGenerator random(7);
    for (int i = 0; i < 300; ++i) {
        const QByteArray bytes = prefix + randomBytes(random, int(random.bounded(4096)));
        const QString wrong = problem(bytes, fileName);
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("try %1: %2").arg(i).arg(wrong)));
    }
}

void DataFileHostileTest::damagedSamples_data()
{
    QTest::addColumn<QString>("path");
    // The zip bombs take a second or so each time a byte of their directory changes, and a
    // damaged repeat bomb may well be a sound table of millions of cells, which takes seconds.
    for (const test::SampleDataFile &sample : test::sampleDataFiles()) {
        const QFileInfo file(sample.path);
        if (file.size() > 0 && file.size() <= 64 * 1024 && file.fileName() != "ods_repeat_bomb.ods")
            QTest::newRow(qPrintable(file.fileName())) << sample.path;
    }
}

// Every sample cut short at many lengths, and with bytes overwritten at many offsets.
void DataFileHostileTest::damagedSamples()
{
    QFETCH(QString, path);
    const QString fileName = QFileInfo(path).fileName();
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    const int size = int(original.size());
    QRandomGenerator random(size);
    for (int length = 0; length < size; length += 1 + length / 64 + int(random.bounded(16))) {
        const QString wrong = problem(original.left(length), fileName);
        QVERIFY2(
            wrong.isEmpty(), qPrintable(QStringLiteral("cut at %1: %2").arg(length).arg(wrong)));
    }
    for (int i = 0; i < 600; ++i) {
        QByteArray bytes = original;
        const int offset = int(random.bounded(size));
        bytes[offset] = i % 2 ? char(~bytes[offset]) : char(random.bounded(256));
        const QString wrong = problem(bytes, fileName);
        QVERIFY2(wrong.isEmpty(), qPrintable(QStringLiteral("byte %1: %2").arg(offset).arg(wrong)));
    }
}

QTEST_GUILESS_MAIN(DataFileHostileTest)
#include "DataFileHostileTest.moc"
