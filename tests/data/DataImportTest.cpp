// Choosing a data file in the main window: the data table, the source choosers, the print range,
// the data source window with fitted columns, field item generation and `tagloom table`.
#include "SampleDataFiles.h"
#include "canvas/LabelDesign.h"
#include "canvas/TextMetrics.h"
#include "data/DataTable.h"
#include "data/DataTableTsv.h"
#include "support/Fixtures.h"
#include "support/TestProgram.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class DataImportTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void samplesGiveTheirTablesInTheWindow_data();
    void samplesGiveTheirTablesInTheWindow();
    void cancellingChangesNothing();
    void repeatedImportsAppendHeadersAndReplaceTheTable();
    void aSheetWithoutDataRowsStopsAfterBinding();
    void pathsWithSemicolonsAndQuotesImport();
    void columnsFitTheirWidestText();
    void longColumnsLeaveTheOthersInSight_data();
    void longColumnsLeaveTheOthersInSight();
    void theRowPreviewFollowsTheTable();
    void generatingFieldItems();
    void generatingAfterTheDataWindowWasClosed();
    void tableCommandPrintsOrRefuses_data();
    void tableCommandPrintsOrRefuses();
    void tableCommandUsage();

private:
    QString writeSample(const QString &name, const QList<QStringList> &rows);
    static QStringList headersOf(const DataTable &table);

    QTemporaryDir scratch_;
    QString basic_;
    QString wide_;
};

QString DataImportTest::writeSample(const QString &name, const QList<QStringList> &rows)
{
    const QString path = scratch_.filePath(name);
    if (!writeWorkbook(path, rows))
        qFatal("cannot write %s with /usr/bin/python3 and xlwt", qPrintable(path));
    return path;
}

QStringList DataImportTest::headersOf(const DataTable &table)
{
    QStringList headers;
    for (int col = 1; col < table.cols(); ++col)
        headers.append(table.cell(0, col));
    return headers;
}

void DataImportTest::initTestCase()
{
    basic_ = writeSample("basic.xls",
        {{"SKU", "名称", "网址"}, {"A-1", "茶杯", "https://example.com/1"},
            {"B-2", "碗", "https://example.com/2"}, {"C-3", "盘子", "https://example.com/3"}});
    wide_ = writeSample("wide.xls", {{"a", "b", "c", "d", "e"}, {"=1", "=2", "=3", "=4", "=5"}});
}

namespace {

void addSamplesWithTables()
{
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<QString>("tablePath");
    const QList<SampleDataFile> samples = sampleDataFiles();
    QVERIFY(samples.size() >= 60);
    for (const SampleDataFile &sample : samples) {
        if (!sample.table.isEmpty())
            QTest::newRow(qPrintable(QFileInfo(sample.path).fileName()))
                << sample.path << sample.table;
    }
}

} // namespace

void DataImportTest::samplesGiveTheirTablesInTheWindow_data()
{
    addSamplesWithTables();
}

void DataImportTest::samplesGiveTheirTablesInTheWindow()
{
    QFETCH(QString, workbook);
    QFETCH(QString, tablePath);
    const QByteArray expected = expectedTable(tablePath);

    TestProgram program;
    program.dialogs.answerOpen(workbook);
    program.click("Command2");
    QCOMPARE(program.panel().dataFilePath(), workbook);
    auto *generate = program.control<QPushButton>("Command3");

    if (expected == "refused\n") {
        // Only the path changed.
        QVERIFY(!program.forms.hasForm3() || !program.forms.form3()->isVisible());
        QVERIFY(program.panel().chooser(MainPanel::QrSource).items().isEmpty());
        QCOMPARE(program.panel().rangeText(MainPanel::LastRow), QStringLiteral("1"));
        QVERIFY(!generate->isEnabled());
        return;
    }
    const DataTable &table = program.workspace.dataTable();
    QCOMPARE(DataTableTsv::write(table), expected);
    QVERIFY(program.forms.form3()->isVisible());
    QCOMPARE(program.panel().chooser(MainPanel::QrSource).items(), headersOf(table));
    QCOMPARE(program.panel().chooser(MainPanel::BarcodeSource).items(), headersOf(table));
    QCOMPARE(program.control<QComboBox>("Combo1(1)")->count(), table.cols() - 1);
    QCOMPARE(program.control<QComboBox>("Combo1(0)")->currentIndex(), -1);
    QCOMPARE(program.panel().rangeText(MainPanel::LastRow), QString::number(table.rows() - 1));
    QCOMPARE(program.panel().rangeText(MainPanel::FirstRow), QStringLiteral("1"));
    QVERIFY(generate->isEnabled());
    // The grid shows the same texts: headers fixed on top, row numbers fixed at the left.
    QTableView *grid = program.forms.form3()->grid();
    QCOMPARE(grid->model()->columnCount(), table.cols() - 1);
    QCOMPARE(grid->model()->rowCount(), table.rows() - 1);
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), table.cell(0, 1));
    QCOMPARE(grid->model()->headerData(0, Qt::Vertical).toString(), QStringLiteral("1"));
    QCOMPARE(grid->model()->index(0, 0).data().toString(), table.cell(1, 1));
}

void DataImportTest::cancellingChangesNothing()
{
    TestProgram program;
    program.dialogs.cancelOpen();
    program.click("Command2");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(
        program.panel().dataFilePath(), QStringLiteral("C:\\Users\\Administrator\\Desktop\\6.xls"));
    QVERIFY(!program.forms.hasForm3());
    QVERIFY(!program.control<QPushButton>("Command3")->isEnabled());
}

void DataImportTest::repeatedImportsAppendHeadersAndReplaceTheTable()
{
    TestProgram program;
    program.panel().setRangeText(MainPanel::FirstRow, QStringLiteral("2"));
    program.dialogs.answerOpen(basic_);
    program.click("Command2");
    program.dialogs.answerMessage();
    program.click("Command3");
    program.panel().chooser(MainPanel::QrSource).setListIndex(1);

    program.dialogs.answerOpen(basic_);
    program.click("Command2");
    const QStringList once = {"SKU", "名称", "网址"};
    QCOMPARE(program.panel().chooser(MainPanel::QrSource).items(), once + once);
    QCOMPARE(program.panel().chooser(MainPanel::QrSource).listIndex(), 1);

    program.dialogs.answerOpen(wide_);
    program.click("Command2");
    const DataTable &table = program.workspace.dataTable();
    QCOMPARE(table.cols(), 6);
    QCOMPARE(table.rows(), 2);
    QCOMPARE(program.panel().chooser(MainPanel::BarcodeSource).items().size(), 11);
    QCOMPARE(program.panel().chooser(MainPanel::BarcodeSource).items().last(), QStringLiteral("e"));
    QCOMPARE(program.panel().rangeText(MainPanel::LastRow), QStringLiteral("1"));
    QCOMPARE(program.panel().rangeText(MainPanel::FirstRow), QStringLiteral("2"));
    // Field items stay as they were.
    const LabelDesign &design = program.workspace.canvas();
    QCOMPARE(design.fieldCount(), 4);
    QCOMPARE(design.field(3).caption, QStringLiteral("网址"));
}

void DataImportTest::aSheetWithoutDataRowsStopsAfterBinding()
{
    const QString headersOnly = writeSample("headers.xls", {{"x", "y"}});
    TestProgram program;
    program.dialogs.answerOpen(basic_);
    program.click("Command2");
    const Twips widthBefore = program.workspace.dataTable().colWidth(1);
    program.forms.form3()->hide();

    program.dialogs.answerOpen(headersOnly);
    program.click("Command2");
    // The grid already shows the new, empty result; nothing after it happened.
    const DataTable &table = program.workspace.dataTable();
    QCOMPARE(table.rows(), 1);
    QCOMPARE(table.cols(), 3);
    QCOMPARE(table.cell(0, 2), QStringLiteral("y"));
    QVERIFY(table.colWidth(1) != widthBefore);
    QCOMPARE(program.panel().chooser(MainPanel::QrSource).items().size(), 3);
    QVERIFY(!program.forms.form3()->isVisible());
    QCOMPARE(program.panel().rangeText(MainPanel::LastRow), QStringLiteral("3"));
}

void DataImportTest::pathsWithSemicolonsAndQuotesImport()
{
    const QString odd = scratch_.filePath(QStringLiteral("a;b'c\"d 标签.xls"));
    QVERIFY(QFile::copy(basic_, odd));
    TestProgram program;
    program.dialogs.answerOpen(odd);
    program.click("Command2");
    QCOMPARE(program.workspace.dataTable().rows(), 4);
}

void DataImportTest::columnsFitTheirWidestText()
{
    TestProgram program;
    program.dialogs.answerOpen(basic_);
    program.click("Command2");
    Form3 *window = program.forms.form3();
    const DataTable &table = window->table();
    // Measured in the window's own font, as shaped text without kerning.
    QFont font = window->font();
    font.setKerning(false);
    for (int col = 0; col < table.cols(); ++col) {
        double widest = 0;
        for (int row = 0; row < table.rows(); ++row)
            widest = std::max(widest, TextMetrics::textWidth(table.cell(row, col), font));
        QVERIFY(widest > 0);
        QVERIFY2(
            qAbs(table.colWidth(col) - (widest + 100)) < 0.5, qPrintable(QString::number(col)));
    }
    // The quick measure agrees with shaping wherever it takes its short cut, and shapes the rest.
    TextWidthMeter meter(window->font());
    for (const QString text :
        {"Quick brown fox 123", "青花瓷茶杯 No.7", "Ünïcödé — “quoted”", "مرحبا بالعالم",
            "e\u0301te\u0301", "かな カナ 한국어", "茶杯1号", "😀 emoji", "Ａ１２ 全角"})
        QVERIFY2(qAbs(meter(text) - TextMetrics::textWidth(text, font)) < 0.5, qPrintable(text));
    // A hidden column stays hidden; an all-empty design-time table gets 100 everywhere.
    program.workspace.dataTable().setColWidth(2, 0);
    window->Command1_Click();
    QCOMPARE(table.colWidth(2), 0.0F);
    program.forms.unloadDataWindow();
    program.forms.form3()->Command1_Click();
    QCOMPARE(program.workspace.dataTable().colWidth(0), 100.0F);
    QCOMPARE(program.workspace.dataTable().colWidth(1), 100.0F);
    // The grid shows the widths in pixels.
    QTableView *grid = program.forms.form3()->grid();
    QCOMPARE(grid->verticalHeader()->width(), qRound(twipsToPixels(100, grid->logicalDpiX())));
}

void DataImportTest::longColumnsLeaveTheOthersInSight_data()
{
    QTest::addColumn<QStringList>("row"); // under the headers a, b, c, d
    QTest::addColumn<QString>("narrowed"); // x for a narrowed column
    const QString long_ = QStringLiteral("超长的商品名称，还有它的说明。").repeated(8);
    QTest::newRow("one long") << QStringList {"HX-00001", long_, "12", "500ml"} << "-x--";
    QTest::newRow("two long") << QStringList {long_, "12", long_ + "。", "500ml"} << "x-x-";
}

void DataImportTest::longColumnsLeaveTheOthersInSight()
{
    QFETCH(QStringList, row);
    QFETCH(QString, narrowed);
    TestProgram program;
    program.dialogs.answerOpen(
        writeSample(QTest::currentDataTag() + QStringLiteral(".xls"), {{"a", "b", "c", "d"}, row}));
    program.click("Command2");
    Form3 *window = program.forms.form3();
    QFont font = window->font();
    font.setKerning(false);
    for (int col = 1; col <= 4; ++col) {
        const double fitted = TextMetrics::textWidth(row[col - 1], font) + 100;
        const QVariant tip = window->grid()->model()->index(0, col - 1).data(Qt::ToolTipRole);
        if (narrowed[col - 1] == 'x') {
            QVERIFY(window->table().colWidth(col) < fitted - 1000);
            QCOMPARE(tip.toString(), row[col - 1]);
        } else {
            QVERIFY(qAbs(window->table().colWidth(col) - fitted) < 0.5);
            QVERIFY(!tip.isValid());
        }
    }
    // Every column in sight beside the row numbers.
    QTableView *grid = window->grid();
    QVERIFY(grid->columnViewportPosition(3) + grid->columnWidth(3) <= grid->viewport()->width());
}

void DataImportTest::theRowPreviewFollowsTheTable()
{
    TestProgram program;
    auto *check = program.control<QCheckBox>("PreviewCheck");
    auto *row = program.control<QSpinBox>("PreviewRow");
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    for (int import = 0; import < 2; ++import) {
        // The data window closed in between: a new table.
        program.dialogs.answerOpen(basic_);
        program.click("Command2");
        QCOMPARE(row->maximum(), 3);
        check->setChecked(true);
        QTableView *grid = program.forms.form3()->grid();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
            grid->visualRect(grid->model()->index(1, 0)).center());
        QCOMPARE(row->value(), 2);
        QCOMPARE(program.form1().status(), QStringLiteral("正在预览第2行。"));
        check->setChecked(false);
        QCOMPARE(program.form1().status(), QString());
        program.dialogs.answerMessage(MessageAnswer::Yes);
        program.forms.form3()->close();
        TestProgram::settle();
        QCOMPARE(row->maximum(), 1);
    }
}

void DataImportTest::generatingFieldItems()
{
    TestProgram program;
    program.dialogs.answerOpen(basic_);
    program.click("Command2");
    program.dialogs.answerMessage();
    program.click("Command3");
    QVERIFY(program.dialogs.allAnswered());
    const MessageRequest hint = program.dialogs.messages().last();
    QCOMPARE(hint.text,
        QStringLiteral("拖动数据项到合适的位置，双击设置字体，右键删除没用到的数据项。"));
    QCOMPARE(hint.title, QStringLiteral("完成"));
    QCOMPARE(hint.buttons, MessageButtons::Ok);

    LabelDesign &design = program.workspace.canvas();
    QCOMPARE(design.fieldCount(), 4);
    const QStringList captions = {"SKU", "名称", "网址"};
    for (int c = 1; c <= 3; ++c) {
        const FieldItem &item = design.field(c);
        QCOMPARE(item.caption, captions[c - 1]);
        QCOMPARE(item.left, 2000.0F);
        QCOMPARE(item.top, float(300 * c));
        QCOMPARE(item.font.pointSize, 10.0F);
        QVERIFY(item.visible);
        QVERIFY(program.forms.form2()
                    ->findChild<QWidget *>(QStringLiteral("Label1(%1)").arg(c))
                    ->isVisibleTo(program.forms.form2()));
    }
    QVERIFY(!design.field(0).visible); // the template is never shown

    // Used again: hidden items come back, nothing is created, moved or announced.
    design.setFieldVisible(2, false);
    design.moveField(3, 10, 20);
    program.dialogs.answerOpen(wide_);
    program.click("Command2");
    program.click("Command3");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(design.fieldCount(), 4);
    QVERIFY(design.field(2).visible);
    QCOMPARE(design.field(3).left, 10.0F);
}

void DataImportTest::generatingAfterTheDataWindowWasClosed()
{
    TestProgram program;
    program.dialogs.answerOpen(basic_);
    program.click("Command2");
    program.dialogs.answerMessage(MessageAnswer::No); // imported rows: closing asks first
    program.forms.form3()->close();
    QVERIFY(program.workspace.dataTable().hasSheet());
    program.dialogs.answerMessage(MessageAnswer::Yes);
    program.forms.form3()->close();
    TestProgram::settle();
    program.dialogs.answerMessage();
    program.click("Command3");
    const LabelDesign &design = program.workspace.canvas();
    QCOMPARE(design.fieldCount(), 2);
    QCOMPARE(design.field(1).caption, QString());
}

void DataImportTest::tableCommandPrintsOrRefuses_data()
{
    addSamplesWithTables();
}

// The table of a sample, or a refusal: status 1, one line on standard error naming the file.
void DataImportTest::tableCommandPrintsOrRefuses()
{
    QFETCH(QString, workbook);
    QFETCH(QString, tablePath);
    const QByteArray expected = expectedTable(tablePath);
    QProcess command;
    command.start(programBinary(), {QStringLiteral("table"), workbook});
    QVERIFY(command.waitForFinished(60000));
    if (expected != "refused\n") {
        QCOMPARE(command.readAllStandardError(), QByteArray());
        QCOMPARE(command.exitCode(), 0);
        QCOMPARE(command.readAllStandardOutput(), expected);
        return;
    }
    QCOMPARE(command.exitCode(), 1);
    QVERIFY(command.readAllStandardOutput().isEmpty());
    const QString error = QString::fromUtf8(command.readAllStandardError());
    QCOMPARE(error.count(QLatin1Char('\n')), 1);
    QVERIFY2(
        error.startsWith(QStringLiteral("tagloom table: %1: ").arg(workbook)), qPrintable(error));
}

void DataImportTest::tableCommandUsage()
{
    QProcess table;
    for (const QStringList &arguments :
        {QStringList {"table"}, QStringList {"table", "a.csv", "b.csv"}}) {
        table.start(programBinary(), arguments);
        QVERIFY(table.waitForFinished(30000));
        QCOMPARE(table.exitCode(), 2);
        QVERIFY(table.readAllStandardOutput().isEmpty());
    }
}

QTEST_MAIN(DataImportTest)
#include "DataImportTest.moc"
