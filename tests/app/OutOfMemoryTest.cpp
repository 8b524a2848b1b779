// The batch commands with too little memory for their input: a refusal in one line and status 1,
// never an abort, and no file left half-written. The program runs under an address-space limit,
// which the sanitizer build cannot take (its shadow memory alone exceeds it).
#include "support/Fixtures.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

using namespace tagloom::test;

class OutOfMemoryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusesInsteadOfAborting_data();
    void refusesInsteadOfAborting();

private:
    QTemporaryDir scratch_;
};

void OutOfMemoryTest::initTestCase()
{
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("an address-space limit cannot hold a sanitizer build");
#endif
    // A picture of 5600 × 5600 pixels: it does not load in 180 MB, and loads in 300 MB but does
    // not fit into a print job there (it prints in 520 MB).
    QImage picture(5600, 5600, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QVERIFY(picture.save(scratch_.filePath("big.png")));
    // The example's design on the big picture.
    QVERIFY(QFile::copy(sourceFile("examples/products.xls"), scratch_.filePath("products.xls")));
    QFile example(sourceFile("examples/example.ini"));
    QVERIFY(example.open(QIODevice::ReadOnly));
    QFile layout(scratch_.filePath("big.ini"));
    QVERIFY(layout.open(QIODevice::WriteOnly));
    layout.write(example.readAll().replace("text1,label.png", "text1,big.png"));
}

void OutOfMemoryTest::refusesInsteadOfAborting_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("megabytes");
    const QString corner = fixture("xls-extra/far_corner.xls"); // A1 and IV65536: 430 MB as texts
    const QString layout = scratch_.filePath("big.ini");
    const QString pdf = scratch_.filePath("out/labels.pdf");
    QTest::newRow("a sparse sheet of 16.7 million cells")
        << QStringList {"table", corner} << 256;
    QTest::newRow("a big picture, refused before the first page")
        << QStringList {"print", layout, "--to", "2", "--pdf", pdf} << 300;
    QTest::newRow("a big picture that does not load")
        << QStringList {"print", layout, "--to", "2", "--pdf", pdf} << 180;
}

void OutOfMemoryTest::refusesInsteadOfAborting()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, megabytes);
    QVERIFY(QDir(scratch_.path()).mkpath("out"));
    QProcess program;
    program.setChildProcessModifier([megabytes] {
        const rlimit limit {rlim_t(megabytes) << 20, rlim_t(megabytes) << 20};
        setrlimit(RLIMIT_AS, &limit);
    });
    program.start(programBinary(), arguments);
    QVERIFY(program.waitForFinished(60000));
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QVERIFY2(program.exitCode() == 1, qPrintable(errors));
    QVERIFY2(errors.endsWith('\n') && errors.count('\n') == 1, qPrintable(errors));
    QVERIFY2(errors.contains(QStringLiteral("内存不足")), qPrintable(errors));
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
    QCOMPARE(QDir(scratch_.filePath("out")).entryList(QDir::Files | QDir::Hidden), QStringList());
}

QTEST_MAIN(OutOfMemoryTest)
#include "OutOfMemoryTest.moc"
