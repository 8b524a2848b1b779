// Reads the sample workbooks and compares what comes out with their expected data tables.
#include "SampleWorkbooks.h"
#include "SheetTsv.h"
#include "data/DataFileReader.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace tagloom;

class WorkbookReaderTest : public QObject
{
    Q_OBJECT

private slots:
    void samples_data();
    void samples();
    void sheetsWithoutRecords_data();
    void sheetsWithoutRecords();
    void lastRowOfTheSheet();
    void refusalReasons_data();
    void refusalReasons();
};

void WorkbookReaderTest::samples_data()
{
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("table");
    for (const QString &workbook : test::sampleWorkbooks()) {
        const QFileInfo info(workbook);
        const QString table = info.dir().filePath(info.completeBaseName() + ".tsv");
        if (QFile::exists(table)) QTest::newRow(qPrintable(info.fileName())) << workbook << table;
    }
}

void WorkbookReaderTest::samples()
{
    QFETCH(QString, workbook);
    QFETCH(QString, table);
    QFile file(table);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray expected = file.readAll();
    QString reason;
    const std::optional<Sheet> sheet = DataFileReader::readSheet1(workbook, &reason);
    if (expected == "refused\n") {
        QVERIFY(!sheet);
        QVERIFY(!reason.isEmpty());
        return;
    }
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(test::sheetTsv(*sheet), expected);
}

// The caller refuses these ("no data rows"); the reader still reports the header row.
void WorkbookReaderTest::sheetsWithoutRecords_data()
{
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QStringList>("headers");
    QTest::newRow("empty") << "empty_sheet1.xls" << QStringList {"F1"};
    QTest::newRow("header only") << "header_only.xls" << QStringList {"a", "F2", "c"};
}

void WorkbookReaderTest::sheetsWithoutRecords()
{
    QFETCH(QString, workbook);
    QFETCH(QStringList, headers);
    QString reason;
    const std::optional<Sheet> sheet
        = DataFileReader::readSheet1(test::fixture("xls-extra/" + workbook), &reason);
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(sheet->rowCount(), 1);
    QCOMPARE(sheet->columnCount(), headers.size());
    for (int column = 0; column < sheet->columnCount(); ++column)
        QCOMPARE(sheet->cell(0, column), headers[column]);
}

// A value in the sheet's last row: every row above it becomes a record.
void WorkbookReaderTest::lastRowOfTheSheet()
{
    QString reason;
    std::optional<Sheet> sheet
        = DataFileReader::readSheet1(test::fixture("xls-extra/last_row.xls"), &reason);
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(sheet->rowCount(), 65536);
    QCOMPARE(sheet->columnCount(), 2);
    QCOMPARE(sheet->cell(1, 1), QStringLiteral("first"));
    QCOMPARE(sheet->cell(65535, 0), QStringLiteral("last"));
    const std::vector<QString> cells = sheet->takeCells();
    const auto filled
        = std::count_if(cells.begin(), cells.end(), [](auto &c) { return !c.isEmpty(); });
    QCOMPARE(filled, 4);
}

void WorkbookReaderTest::refusalReasons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    const QString unreadable = QStringLiteral("文件不存在或无法读取");
    const QString notWorkbook = QStringLiteral("不是 Excel 97–2003 工作簿");
    QTest::newRow("missing") << test::fixture("xls/no such file.xls") << unreadable;
    QTest::newRow("folder") << test::fixture("xls") << unreadable;
    QTest::newRow("csv") << test::fixture("xls/bad_csv_renamed.xls") << notWorkbook;
    QTest::newRow("other OLE2 file")
        << test::fixture("xls-extra/biff_no_workbook_stream.xls") << notWorkbook;
    QTest::newRow("xlsx") << test::fixture("xls-extra/xlsx_renamed.xls")
                          << QStringLiteral(
                                 "这是 .xlsx 工作簿，请另存为 Excel 97–2003 格式 (.xls)");
    QTest::newRow("Excel 95") << test::fixture("xls-extra/biff_excel95_book_stream.xls")
                              << QStringLiteral(
                                     "这是 Excel 5.0/95 工作簿，请另存为 Excel 97–2003 格式");
    QTest::newRow("encrypted") << test::fixture("xls-extra/biff_encrypted.xls")
                               << QStringLiteral("工作簿有密码保护，无法读取");
    QTest::newRow("no sheet1") << test::fixture("xls/xlwt_no_sheet1.xls")
                               << QStringLiteral("工作簿中没有名为 sheet1 的工作表");
    QTest::newRow("damaged") << test::fixture("xls-extra/biff_short_record.xls")
                             << QStringLiteral("工作簿已损坏");
}

void WorkbookReaderTest::refusalReasons()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QString given;
    QVERIFY(!DataFileReader::readSheet1(path, &given));
    QCOMPARE(given, reason);
}

QTEST_GUILESS_MAIN(WorkbookReaderTest)
#include "WorkbookReaderTest.moc"
