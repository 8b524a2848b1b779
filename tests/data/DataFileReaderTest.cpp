// Reads the sample data files and compares what comes out with their expected data tables; the
// refusals and what they say; delimited text by its rules.
#include "data/DataFileReader.h"

#include "SampleDataFiles.h"
#include "SheetTsv.h"
#include "support/Fixtures.h"

#include <QFileInfo>
#include <QStringEncoder>
#include <QTest>

using namespace tagloom;

class DataFileReaderTest : public QObject
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
    void delimitedText_data();
    void delimitedText();
    void longLinesAndManyRows();
    void piecesEndAnywhere();
};

void DataFileReaderTest::samples_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("values");
    for (const test::SampleDataFile &sample : test::sampleDataFiles()) {
        if (!sample.table.isEmpty())
            QTest::newRow(qPrintable(QFileInfo(sample.path).fileName()))
                << sample.path << sample.table << sample.values;
    }
}

// The texts as the workbook shows them, and as values.
void DataFileReaderTest::samples()
{
    QFETCH(QString, path);
    QFETCH(QString, table);
    QFETCH(QString, values);
    const QByteArray expected = test::expectedTable(table);
    QString reason;
    const std::optional<Sheet> sheet = DataFileReader::readSheet1(path, &reason);
    if (expected == "refused\n") {
        // A header row only is the import's to refuse; the reader gives it.
        if (sheet) QCOMPARE(sheet->rowCount(), 1);
        QVERIFY(sheet || !reason.isEmpty());
        QVERIFY(!reason.contains(u'\n'));
        return;
    }
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(test::sheetTsv(*sheet), expected);
    const std::optional<Sheet> valueTexts
        = DataFileReader::readSheet1(path, &reason, CellTexts::Values);
    QVERIFY2(valueTexts, qPrintable(reason));
    QCOMPARE(test::sheetTsv(*valueTexts), test::expectedTable(values));
}

// The caller refuses these ("no data rows"); the reader still reports the header row.
void DataFileReaderTest::sheetsWithoutRecords_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("headers");
    QTest::newRow("empty") << "xls-extra/empty_sheet1.xls" << QStringList {"F1"};
    QTest::newRow("header only") << "xls-extra/header_only.xls" << QStringList {"a", "F2", "c"};
    QTest::newRow("csv header only")
        << "formats-extra/header_only.csv" << QStringList {"a", "b", "c"};
}

void DataFileReaderTest::sheetsWithoutRecords()
{
    QFETCH(QString, file);
    QFETCH(QStringList, headers);
    QString reason;
    const std::optional<Sheet> sheet = DataFileReader::readSheet1(test::fixture(file), &reason);
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(sheet->rowCount(), 1);
    QCOMPARE(sheet->columnCount(), headers.size());
    for (int column = 0; column < sheet->columnCount(); ++column)
        QCOMPARE(sheet->cell(0, column), headers[column]);
}

// A value in the sheet's last row: every row above it becomes a record.
void DataFileReaderTest::lastRowOfTheSheet()
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

void DataFileReaderTest::refusalReasons_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    const QString unreadable = QStringLiteral("文件不存在或无法读取");
    const QString unknown = QStringLiteral(
        "不是能读取的数据文件（.xls、.xlsx、.ods 工作簿或 .csv、.tsv、.txt 文本）");
    const QString damaged = QStringLiteral("工作簿已损坏");
    const QString encrypted = QStringLiteral("工作簿有密码保护，无法读取");
    const QString noSheet1 = QStringLiteral("工作簿中没有名为 sheet1 的工作表");
    const QString tooLarge
        = QStringLiteral("表格太大：最多 1048576 行、16384 列、共 16777216 个单元格");
    const QString zipWithout = QStringLiteral("这是 zip 压缩文件，其中没有工作簿");
    const struct
    {
        const char *name;
        const char *file;
        QString reason;
    } refusals[] = {
        {"missing", "xls/no such file.xls", unreadable},
        {"folder", "xls", unreadable},
        {"empty", "formats-extra/empty.csv", QStringLiteral("文件是空的")},
        {"csv named .xls", "xls/bad_csv_renamed.xls", unknown},
        {"text named .xlsx", "formats-extra/text_named.xlsx", unknown},
        {"other OLE2 file", "xls-extra/biff_no_workbook_stream.xls",
            QStringLiteral("不是 Excel 97–2003 工作簿")},
        {"Excel 95", "xls-extra/biff_excel95_book_stream.xls",
            QStringLiteral("这是 Excel 5.0/95 工作簿，请另存为 Excel 97–2003 格式")},
        {"encrypted .xls", "xls-extra/biff_encrypted.xls", encrypted},
        {"encrypted .xlsx", "formats/bad_encrypted.xlsx", encrypted},
        {"no sheet1 .xls", "xls/xlwt_no_sheet1.xls", noSheet1},
        {"no sheet1 .xlsx", "formats/openpyxl_no_sheet1.xlsx", noSheet1},
        {"damaged .xls", "xls-extra/biff_short_record.xls", damaged},
        {"damaged zip", "formats-extra/damaged_zip.xlsx", damaged},
        {"entity expansion", "formats-extra/entity_expansion.xlsx",
            QStringLiteral("工作簿的 XML 声明了实体，正常的工作簿没有，不予读取")},
        {"shared string outside", "formats-extra/sst_index_outside.xlsx", damaged},
        {"size that lies", "formats-extra/zip_bomb_lying.xlsx", damaged},
        {"zip bomb", "formats-extra/zip_bomb.xlsx",
            QStringLiteral("工作簿解压后超过 1 GiB，不像正常的工作簿，不予读取")},
        {"cells far apart", "formats-extra/far_apart.xlsx", tooLarge},
        {"repeated cells", "formats-extra/ods_repeat_bomb.ods", tooLarge},
        {"zipped csv", "formats-extra/zipped_csv.xlsx", zipWithout},
        {"a zip without a workbook named .xls", "xls-extra/xlsx_renamed.xls", zipWithout},
        {"xlsb", "formats-extra/xlsb_package.xlsx",
            QStringLiteral("这是 .xlsb 二进制工作簿，请另存为 .xlsx 格式")},
        {"text document", "formats-extra/text_document.ods",
            QStringLiteral("这是 OpenDocument 文档，但不是电子表格")},
        {"NUL bytes", "formats/bad_nul_bytes.csv",
            QStringLiteral("文件含有 NUL 字节，不是文本表格")},
        {"no encoding reads it", "formats-extra/undecodable.csv",
            QStringLiteral(
                "第 3 行的字节 0x81 无法识别：文件不是 UTF-8、GB18030 或 Windows-1252 文本")},
    };
    for (const auto &refusal : refusals)
        QTest::newRow(refusal.name) << test::fixture(refusal.file) << refusal.reason;
}

void DataFileReaderTest::refusalReasons()
{
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QString given;
    QVERIFY(!DataFileReader::readSheet1(path, &given));
    QCOMPARE(given, reason);
}

void DataFileReaderTest::delimitedText_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("table");
    QTest::newRow("delimiter outside quotes")
        << QByteArray("\"a,b\";c,d\n1;2,3\n") << "x.csv" << QByteArray("\ta,b\tc,d\n1\t1\t2,3\n");
    QTest::newRow("no delimiter: one column")
        << QByteArray("name\na,b;c\n") << "x.txt" << QByteArray("\tname\n1\ta,b;c\n");
    QTest::newRow("TAB for .tsv whatever comes first")
        << QByteArray("a,b\tc\n1\t2\n") << "X.TSV" << QByteArray("\ta,b\tc\n1\t1\t2\n");
    QTest::newRow("byte order mark dropped")
        << QByteArray("\xEF\xBB\xBFh\nv\n") << "x.csv" << QByteArray("\th\n1\tv\n");
    QTest::newRow("GB18030") << QByteArray("\xC3\xFB\xB3\xC6\n\x95\x32\x82\x36\n") << "x.csv"
                             << QByteArray("\t名称\n1\t\xF0\xA0\x80\x80\n");
    // As spreadsheets save "Unicode text", with and without the byte order mark.
    const auto utf16 = [](QStringConverter::Encoding encoding, QStringConverter::Flags flags) {
        return QByteArray(QStringEncoder(encoding, flags)(u"名称,n\r\n值,1\r\n"));
    };
    const QByteArray utf16Table("\t名称\tn\n1\t值\t1\n");
    QTest::newRow("UTF-16 LE") << utf16(QStringConverter::Utf16LE, QStringConverter::Flag::Default)
                               << "x.txt" << utf16Table;
    QTest::newRow("UTF-16 BE") << utf16(QStringConverter::Utf16BE, QStringConverter::Flag::Default)
                               << "x.txt" << utf16Table;
    QTest::newRow("UTF-16 LE with byte order mark") << utf16(QStringConverter::Utf16LE,
        QStringConverter::Flag::WriteBom) << "x.txt" << utf16Table;
    QTest::newRow("a UTF-8 character cut short is no UTF-8: Windows-1252")
        << QByteArray("h\nab\xC3") << "x.csv" << QByteArray("\th\n1\tab\xC3\x83\n");
    QTest::newRow("quoted line ends and doubled quotes") << QByteArray(
        "h\n\"a\r\nb \"\"c\"\"\"\n") << "x.csv" << QByteArray("\th\n1\ta\\r\\nb \"c\"\n");
    QTest::newRow("text after a closing quote is kept")
        << QByteArray("h,i\n\"ab\"cd,e\n") << "x.csv" << QByteArray("\th\ti\n1\tabcd\te\n");
    QTest::newRow("lone CR ends a line too")
        << QByteArray("h\rv\r\r") << "x.csv" << QByteArray("\th\n1\tv\n");
    QTest::newRow("empty lines between rows count, at the end not") << QByteArray(
        "h,i\n\n,,\nv\n\n\n") << "x.csv" << QByteArray("\th\ti\n1\t\t\n2\t\t\n3\tv\t\n");
}

void DataFileReaderTest::delimitedText()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, table);
    QString reason;
    const std::optional<Sheet> sheet = DataFileReader::readSheet1(text, fileName, &reason);
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(test::sheetTsv(*sheet), table);
}

// A field as long as a cell may be, a line of a million delimiters, 16,385 filled columns and a
// million rows.
void DataFileReaderTest::longLinesAndManyRows()
{
    QString reason;
    const QByteArray longField(1 << 20, 'x');
    std::optional<Sheet> sheet
        = DataFileReader::readSheet1("h\n" + longField + "\n", "x.csv", &reason);
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(sheet->cell(1, 0).size(), longField.size());

    sheet
        = DataFileReader::readSheet1("h,\n" + QByteArray(1 << 20, ',') + "\nv\n", "x.csv", &reason);
    QVERIFY2(sheet, qPrintable(reason));
    QCOMPARE(sheet->columnCount(), 1);
    QCOMPARE(sheet->rowCount(), 3);

    QByteArray wide = "h,\n";
    for (int column = 0; column <= 16384; ++column)
        wide += "v,";
    QVERIFY(!DataFileReader::readSheet1(wide, "x.csv", &reason));
    QCOMPARE(reason, QStringLiteral("表格太大：最多 1048576 行、16384 列、共 16777216 个单元格"));

    QByteArray tall = "h\n";
    for (int row = 0; row < 1048576; ++row)
        tall += "v\n";
    QVERIFY(!DataFileReader::readSheet1(tall, "x.csv", &reason));
    QVERIFY(DataFileReader::readSheet1(tall.chopped(2), "x.csv", &reason));
}

// Text is read a megabyte at a time: characters, line ends and quotes read the same wherever a
// piece ends, in each encoding.
void DataFileReaderTest::piecesEndAnywhere()
{
    const QString tail = QStringLiteral(",\"a\"\"b\",é\U00020000\r\n名,\"q\r\nq\",3\n");
    const QStringList secondRow {QStringLiteral("a\"b"), QStringLiteral("é\U00020000")};
    const QStringList thirdRow {
        QStringLiteral("名"), QStringLiteral("q\r\nq"), QStringLiteral("3")};
    for (const char *encoding : {"UTF-8", "GB18030", "UTF-16LE"}) {
        QStringEncoder encode(encoding);
        const qsizetype unit = QByteArray(encode(u"x")).size();
        const qsizetype tailSize = QByteArray(encode(tail)).size();
        for (qsizetype cut = 0; cut <= tailSize; cut += unit) {
            const QString filler(((1 << 20) - cut) / unit - 6, u'x');
            QString reason;
            const std::optional<Sheet> sheet = DataFileReader::readSheet1(
                QByteArray(encode(QStringLiteral("h,i,j\n") + filler + tail)), "x.csv", &reason);
            const QByteArray where = encoding + QByteArray(", cut ") + QByteArray::number(cut);
            QVERIFY2(sheet, (where + ": " + reason.toUtf8()).constData());
            QVERIFY2(sheet->rowCount() == 3 && sheet->cell(1, 0) == filler, where.constData());
            for (int column = 0; column < 3; ++column) {
                QVERIFY2(column == 0 || sheet->cell(1, column) == secondRow[column - 1],
                    where.constData());
                QVERIFY2(sheet->cell(2, column) == thirdRow[column], where.constData());
            }
        }
    }
}

QTEST_GUILESS_MAIN(DataFileReaderTest)
#include "DataFileReaderTest.moc"
