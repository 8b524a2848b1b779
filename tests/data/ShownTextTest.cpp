// Cells as the workbook shows them, against LibreOffice's own "as shown" export of the same
// workbooks (tests/fixtures/shown): `tagloom table`, `tagloom print` and its codes; the value
// texts with --values.
#include "SampleDataFiles.h"
#include "data/DataFileReader.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class ShownTextTest : public QObject
{
    Q_OBJECT

private slots:
    void everyFormatAsShown_data();
    void everyFormatAsShown();
    void labelsPrintAsShown_data();
    void labelsPrintAsShown();
    void valuesOnRequest();

private:
    static std::optional<QList<QStringList>> run(const QStringList &arguments);
    static QList<QStringList> shownByLibreOffice(const QString &file);
    QTemporaryDir scratch_;
};

// The rows `tagloom` prints as TSV, without the row numbers; nullopt when it fails.
std::optional<QList<QStringList>> ShownTextTest::run(const QStringList &arguments)
{
    QProcess tagloom;
    tagloom.start(programBinary(), arguments);
    if (!tagloom.waitForFinished(60000) || tagloom.exitCode() != 0) {
        qWarning("%s", tagloom.readAllStandardError().constData());
        return std::nullopt;
    }
    QList<QStringList> rows;
    for (const QString &line :
        QString::fromUtf8(tagloom.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts))
        rows.append(line.split(u'\t').mid(1));
    return rows;
}

QList<QStringList> ShownTextTest::shownByLibreOffice(const QString &file)
{
    QString reason;
    const std::optional<Sheet> csv = DataFileReader::readSheet1(fixture(file + ".csv"), &reason);
    if (!csv) qFatal("%s", qPrintable(reason));
    QList<QStringList> rows;
    for (int row = 0; row < csv->rowCount(); ++row) {
        rows.append(QStringList());
        for (int column = 0; column < csv->columnCount(); ++column)
            rows.last().append(csv->cell(row, column));
    }
    return rows;
}

void ShownTextTest::everyFormatAsShown_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file : {"shown/shown.xls", "shown/shown.xlsx", "shown/shown.ods"})
        QTest::newRow(file) << file;
}

// Row by row: a format code, the cell, and where Tagloom shows it otherwise on purpose, what it
// shows (tests/fixtures/shown/README.md says why). An .ods shows what its writer stored.
void ShownTextTest::everyFormatAsShown()
{
    QFETCH(QString, file);
    const QList<QStringList> expected = shownByLibreOffice(file);
    const QList<QStringList> shown = run({"table", fixture(file)}).value_or(QList<QStringList>());
    QCOMPARE(shown.size(), expected.size());
    QVERIFY(shown.size() > 100);
    for (qsizetype row = 1; row < shown.size(); ++row) {
        const QStringList &libreOffice = expected[row];
        const QString own = file.endsWith(u".ods") ? QString() : libreOffice.value(2);
        QVERIFY2(shown[row].value(1) == (own.isEmpty() ? libreOffice[1] : own),
            qPrintable(QStringLiteral("%1: %2 shows “%3”, LibreOffice “%4”")
                           .arg(file, libreOffice[0], shown[row].value(1), libreOffice[1])));
    }
}

void ShownTextTest::labelsPrintAsShown_data()
{
    QTest::addColumn<QString>("file");
    for (const char *file : {"shown/labels.xls", "shown/labels.xlsx", "shown/labels.ods"})
        QTest::newRow(file) << file;
}

// The example layout prints the article number as the barcode, the price as the QR code, and
// every column as a field item.
void ShownTextTest::labelsPrintAsShown()
{
    QFETCH(QString, file);
    const QList<QStringList> expected = shownByLibreOffice(file);
    QCOMPARE(run({"table", fixture(file)}), expected);

    const QString pdf = scratch_.filePath(QFileInfo(file).fileName() + ".pdf");
    QVERIFY(
        run({"print", sourceFile("examples/example.ini"), "--data", fixture(file), "--pdf", pdf}));
    QCOMPARE(pdfPageCount(pdf), int(expected.size()) - 1);
    for (int page = 1; page < expected.size(); ++page) {
        const QStringList &row = expected[page];
        const QImage image = renderPdfPage(pdf, page);
        QCOMPARE(decodeCode128(image), row[0]);
        QCOMPARE(decodeQr(image), row[5]);
        const QString text = pdfPageText(pdf, page);
        for (const QString &cell : row.mid(1, 4))
            QVERIFY2(
                text.contains(cell), qPrintable(QStringLiteral("%1 not in %2").arg(cell, text)));
    }
}

// --values: numbers by their values, as before formats were shown.
void ShownTextTest::valuesOnRequest()
{
    const QString workbook = fixture("formats/xlsxwriter_dates.xlsx");
    QProcess table;
    table.start(programBinary(), {"table", "--values", workbook});
    QVERIFY(table.waitForFinished(60000));
    QCOMPARE(table.exitCode(), 0);
    QCOMPARE(table.readAllStandardOutput(), expectedTable(workbook + ".values.tsv"));
    QCOMPARE(run({"table", "--values", fixture("shown/labels.xlsx")})
                 .value_or(QList<QStringList>())
                 .value(2),
        QStringList({"6901234567908", "白瓷碗", "1.2", "2024-03-15 12:00:00", "4567", "12.8"}));
}

QTEST_GUILESS_MAIN(ShownTextTest)
#include "ShownTextTest.moc"
