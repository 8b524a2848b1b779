// Small files that would make the readers spend gigabytes: `tagloom table` refuses each one early,
// with its reason, inside an address space of 1 GiB.
#include "support/Fixtures.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <sys/resource.h>

using namespace tagloom::test;

class DataFileBoundsTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refusedEarly_data();
    void refusedEarly();

private:
    QTemporaryDir scratch_;
};

void DataFileBoundsTest::initTestCase()
{
    // 8,400 cells that share one string of 32,767 characters: 275 million characters, 150 KB.
    QList<QStringList> rows {{"h"}};
    for (int row = 0; row < 42; ++row)
        rows.append(QStringList(200, QStringLiteral("='x' * 32767")));
    QVERIFY(writeWorkbook(scratch_.filePath("shared_text.xls"), rows));

    const auto write = [this](const QString &name, const QByteArray &bytes, qint64 size) {
        QFile file(scratch_.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()
            && file.resize(std::max(size, qint64(bytes.size())));
    };
    QVERIFY(write("long_field.csv", "h\n\"" + QByteArray(1048577, 'x') + "\"\n", 0));
    // Sparse files: nothing on the disk but their holes, which read as NUL bytes.
    QVERIFY(write("sparse.csv", "h,i\n", qint64(1000) << 20));
    QVERIFY(write("sparse_3g.csv", "h,i\n", qint64(3) << 30));
    // Random bytes that Windows-1252 takes (no NUL, none of its five holes).
    QByteArray noise(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(24);
    for (char &byte : noise) {
        do
            byte = char(random.bounded(1, 256));
        while (QByteArrayView("\x81\x8D\x8F\x90\x9D").contains(byte));
    }
    QVERIFY(write("noise.csv", noise, 0));
    QVERIFY(write("utf16_cut.csv", QByteArray("h\0\r\0\n\0v\0\r\0\n\0x", 13), 0));
}

void DataFileBoundsTest::refusedEarly_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    const QString cellTooLong = QStringLiteral("单元格太长：一个单元格最多 1048576 个字符");
    const QString tooMuchText = QStringLiteral("表格文字太多：全表最多 268435456 个字符（512 MB）");
    const QString tooManyStyles
        = QStringLiteral("工作簿的单元格格式太多，不像正常的工作簿，不予读取");
    const struct
    {
        const char *name;
        QString path;
        QString reason;
    } refusals[] = {
        {"ods cell of 2,000 characters repeated 16 million times",
            fixture("bounds/ods_long_cell_repeated.ods"), tooMuchText},
        {"xlsx entity of 4 KB referenced 50,000 times", fixture("bounds/xlsx_entity_cell.xlsx"),
            QStringLiteral("工作簿的 XML 声明了实体，正常的工作簿没有，不予读取")},
        {"xlsx of 20 million unclosed elements", fixture("bounds/xlsx_unclosed.xlsx"),
            QStringLiteral("工作簿的 XML 嵌套超过 256 层，不像正常的工作簿，不予读取")},
        {"xlsx number of a billion digits", fixture("bounds/xlsx_long_number.xlsx"),
            QStringLiteral("工作簿的 XML 中有一段超过 16 MB，不像正常的工作簿，不予读取")},
        {"xlsx shared string referenced 16 million times",
            fixture("bounds/xlsx_shared_references.xlsx"), tooMuchText},
        {"xlsx shared string of three long runs", fixture("bounds/xlsx_long_shared_string.xlsx"),
            cellTooLong},
        {"xlsx of 100 million cell formats", fixture("bounds/xlsx_many_styles.xlsx"),
            tooManyStyles},
        {"ods of 900 style names of a million characters",
            fixture("bounds/ods_long_style_names.ods"), tooManyStyles},
        {"xlsx of 8 million relationships", fixture("bounds/xlsx_relationships.xlsx"),
            QStringLiteral("工作簿的部件关系太多，不像正常的工作簿，不予读取")},
        {"xls shared string referenced 8,400 times", scratch_.filePath("shared_text.xls"),
            tooMuchText},
        {"csv field one character too long", scratch_.filePath("long_field.csv"), cellTooLong},
        {"sparse csv of 1000 MB", scratch_.filePath("sparse.csv"),
            QStringLiteral("文件含有 NUL 字节，不是文本表格")},
        {"sparse csv of 3 GB", scratch_.filePath("sparse_3g.csv"),
            QStringLiteral("文件超过 1 GiB，不像标签数据，不予读取")},
        {"random bytes", scratch_.filePath("noise.csv"),
            QStringLiteral("文件中有太多控制字符或未分配的字符，不是文本表格")},
        {"UTF-16 without its last byte", scratch_.filePath("utf16_cut.csv"),
            QStringLiteral("UTF-16 文本的最后一个字符不完整")},
    };
    for (const auto &refusal : refusals)
        QTest::newRow(refusal.name) << refusal.path << refusal.reason;
}

void DataFileBoundsTest::refusedEarly()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QProcess program;
#if !defined(__SANITIZE_ADDRESS__) // whose shadow memory alone exceeds the limit
    program.setChildProcessModifier([] {
        const rlimit limit {rlim_t(1) << 30, rlim_t(1) << 30};
        setrlimit(RLIMIT_AS, &limit);
    });
#endif
    program.start(programBinary(), {"table", path});
    QVERIFY(program.waitForFinished(120000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    QCOMPARE(program.readAllStandardOutput(), QByteArray());
    const QString errors = QString::fromUtf8(program.readAllStandardError());
    QVERIFY2(errors.endsWith(": " + reason + "\n") && errors.count('\n') == 1, qPrintable(errors));
}

QTEST_GUILESS_MAIN(DataFileBoundsTest)
#include "DataFileBoundsTest.moc"
