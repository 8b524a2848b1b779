// The extension block after a layout's positional lines: a saved design comes back whole after the
// program quits, and prints as it did; every failure of a load ends as it does without the block;
// a damaged or cut block is applied not at all, a newer one skipped, unknown entries passed over.
#include "DesignScenario.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tagloom;
using namespace tagloom::test;

class LayoutExtensionTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyAttributeComesBack();
    void printedAlikeAfterTheProgramQuit();
    void failuresEndAsWithoutTheBlock_data();
    void failuresEndAsWithoutTheBlock();
    void aDamagedBlockIsNotApplied_data();
    void aDamagedBlockIsNotApplied();
    void whatThisReaderDoesNotKnowIsPassedOver_data();
    void whatThisReaderDoesNotKnowIsPassedOver();

private:
    QString write(const QString &name, const QByteArray &bytes);
    // What a fresh program holds after loading `bytes` with Command9, and what its status says.
    std::pair<QString, QString> loaded(const QString &name, const QByteArray &bytes);

    QTemporaryDir scratch_;
    std::unique_ptr<DesignScenario> scenario_;
    QString designed_; // the design as it was saved
    QByteArray saved_;
    QByteArray positional_; // the saved file's positional lines
    QByteArray block_; // and its extension block
};

QString LayoutExtensionTest::write(const QString &name, const QByteArray &bytes)
{
    const QString path = scratch_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

std::pair<QString, QString> LayoutExtensionTest::loaded(
    const QString &name, const QByteArray &bytes)
{
    TestProgram program;
    DesignScenario::load(program, write(name, bytes));
    return {DesignScenario::describe(program), program.form1().status()};
}

void LayoutExtensionTest::initTestCase()
{
    scenario_ = std::make_unique<DesignScenario>(scratch_.path());
    TestProgram source;
    scenario_->build(source);
    saved_ = DesignScenario::save(source, scratch_.filePath("design.ini"));
    designed_ = DesignScenario::describeDesign(source);
    const qsizetype block = saved_.indexOf("[Tagloom 1]");
    QVERIFY(block > 0);
    positional_ = saved_.left(block);
    block_ = saved_.mid(block);
}

void LayoutExtensionTest::everyAttributeComesBack()
{
    // Faces with commas, "%" and Chinese stand in the block as typed but for "%" and ",", so no
    // line of the block holds a field a positional reader could take.
    QVERIFY(block_.contains(QStringLiteral("label1(2).font=文泉驿 微米黑%2C 等宽\r\n").toUtf8()));
    QVERIFY(block_.contains("label1(3).font=100%25 Sans%2C%252C\r\n"));
    QVERIFY(block_.contains("label1(1).color=#c00000\r\nlabel1(1).hidden=0\r\n"));
    QVERIFY(block_.contains("label1(2).hidden=1\r\n"));
    QVERIFY(block_.contains("Image1.visible=0\r\nPicture1.width=80.00\r\nPicture1.height=55.00\r\n"
                            "Image1.level=H\r\nPicture2.type=code39\r\n[Tagloom end]\r\n"));
    QVERIFY(!block_.contains(','));

    // A program started afresh, as after quitting, gets every attribute back; so does one that
    // holds a design of its own, which the load replaces.
    for (const bool designedBefore : {false, true}) {
        TestProgram program;
        if (designedBefore) program.startDesign(scenario_->picture(), scenario_->workbook());
        DesignScenario::load(program, scratch_.filePath("design.ini"));
        QCOMPARE(program.form1().status(), QString());
        QCOMPARE(DesignScenario::describeDesign(program), designed_);
        QCOMPARE(program.panel().chooser(MainPanel::QrSource).listIndex(), 2);
        QCOMPARE(program.panel().chooser(MainPanel::BarcodeSource).listIndex(), 0);
        // Saved again, the design gives the same file, block and all.
        QCOMPARE(DesignScenario::save(program, scratch_.filePath("again.ini")), saved_);
    }
}

// The label printed before saving, and the one tagloom print makes from the saved file in a
// process of its own: the same pixels, the hidden item missing from both.
void LayoutExtensionTest::printedAlikeAfterTheProgramQuit()
{
    const QString before = scratch_.filePath("before.pdf");
    {
        TestProgram source;
        scenario_->build(source);
        PdfFileOutput pdf(before);
        SilentProgress progress;
        source.dialogs.answerMessage(MessageAnswer::Ok);
        QCOMPARE(
            PrintRun(source.workspace, pdf, progress).run().outcome, PrintRun::Outcome::Printed);
    }
    const QString after = scratch_.filePath("after.pdf");
    QProcess print;
    print.start(programBinary(), {"print", scratch_.filePath("design.ini"), "--pdf", after});
    QVERIFY(print.waitForFinished(60000));
    QCOMPARE(print.readAllStandardError(), QByteArray());
    QCOMPARE(print.exitCode(), 0);

    const QString text = pdfPageText(after, 1);
    QVERIFY2(text.contains("A-1") && text.contains("u1") && !text.contains(QStringLiteral("茶杯")),
        qPrintable(text));
    QCOMPARE(renderPdfPage(after, 1, 150), renderPdfPage(before, 1, 150));
}

// Each failure of a load in its folder of its own, with the picture and a workbook named
// relatively. A file that cannot be opened has no bytes, so no block either; a design that holds
// field items already no longer stops a load (LayoutLoader renews the canvas), which then ends
// complete (everyAttributeComesBack).
void LayoutExtensionTest::failuresEndAsWithoutTheBlock_data()
{
    QTest::addColumn<int>("line"); // the line replaced, 0 for none
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("lines"); // the positional lines kept
    QTest::addColumn<QList<QStringList>>("workbook"); // empty: the design's own
    QTest::addColumn<QString>("sheet");
    const QList<QStringList> same;
    const QString sheet1 = QStringLiteral("sheet1");
    QTest::newRow("line 1 has no field 1") << 1 << QByteArray("text1") << 9 << same << sheet1;
    QTest::newRow("the picture file is missing")
        << 1 << QByteArray("text1,missing.bmp") << 9 << same << sheet1;
    QTest::newRow("the picture file is no picture")
        << 1 << QByteArray("text1,data.xls") << 9 << same << sheet1;
    QTest::newRow("line 2 has no field 1") << 2 << QByteArray("text2") << 9 << same << sheet1;
    QTest::newRow("the data file is missing")
        << 2 << QByteArray("text2,missing.xls") << 9 << same << sheet1;
    QTest::newRow("the data file is no workbook")
        << 2 << QByteArray("text2,label.bmp") << 9 << same << sheet1;
    QTest::newRow("the workbook has no sheet1") << 0 << QByteArray() << 9 << same << "other";
    QTest::newRow("the sheet has no data rows")
        << 0 << QByteArray() << 9 << QList<QStringList> {{"SKU", "名称", "网址"}} << sheet1;
    QTest::newRow("fewer lines than a step wants") << 0 << QByteArray() << 5 << same << sheet1;
    QTest::newRow("a field is no number")
        << 4 << QByteArray("label1(2),615.5,x,9.75") << 9 << same << sheet1;
    QTest::newRow("a value is refused") << 8 << QByteArray("Combo1(0),9") << 9 << same << sheet1;
    QTest::newRow("a data file that gained a column")
        << 0 << QByteArray() << 9
        << QList<QStringList> {{"SKU", "名称", "网址", "新"}, {"A-1", "茶杯", "u1", "x"}} << sheet1;
    QTest::newRow("a data file that gained four columns")
        << 0 << QByteArray() << 9
        << QList<QStringList> {{"SKU", "名称", "网址", "a", "b", "c", "d"},
               {"A-1", "茶杯", "u1", "1", "2", "3", "4"}}
        << sheet1;
    QTest::newRow("a data file that lost a column")
        << 0 << QByteArray() << 9 << QList<QStringList> {{"SKU", "名称"}, {"A-1", "茶杯"}}
        << sheet1;
}

void LayoutExtensionTest::failuresEndAsWithoutTheBlock()
{
    QFETCH(int, line);
    QFETCH(QByteArray, text);
    QFETCH(int, lines);
    QFETCH(QList<QStringList>, workbook);
    QFETCH(QString, sheet);
    const QString folder = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '_');
    QVERIFY(QDir(scratch_.path()).mkdir(folder));
    QVERIFY(QFile::copy(scenario_->picture(), scratch_.filePath(folder + "/label.bmp")));
    QVERIFY(writeWorkbook(scratch_.filePath(folder + "/data.xls"),
        workbook.isEmpty() ? QList<QStringList> {{"SKU", "名称", "网址"}, {"A-1", "茶杯", "u1"},
            {"B-2", "碗", "u2"}}
                           : workbook,
        sheet));

    QList<QByteArray> positional = positional_.split('\n').mid(0, lines);
    positional[0] = "text1,label.bmp\r";
    positional[1] = "text2,data.xls\r";
    if (line > 0) positional[line - 1] = text + '\r';
    const QByteArray without = positional.join('\n') + '\n';

    const auto [plain, plainStatus] = loaded(folder + "/without.ini", without);
    const auto [extended, extendedStatus] = loaded(folder + "/with.ini", without + block_);
    QCOMPARE(extended, plain);
    QVERIFY2(!plainStatus.isEmpty() && !extendedStatus.isEmpty(), qPrintable(plain));
}

void LayoutExtensionTest::aDamagedBlockIsNotApplied_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<QString>("where"); // what the status line names
    const auto replaced = [this](const QByteArray &from, const QByteArray &to) {
        return QByteArray(block_).replace(from, to);
    };
    const QString lastLine = QStringLiteral("“[Tagloom end]”之前");
    const qsizetype end = block_.indexOf("[Tagloom end]");
    QTest::newRow("cut before its last line") << block_.left(end) << lastLine;
    QTest::newRow("cut inside its last line") << block_.left(end + 9) << QStringLiteral("第 37 行");
    QTest::newRow("cut inside an entry")
        << block_.left(block_.indexOf(QStringLiteral("微米黑").toUtf8())) << lastLine;
    // Line 10 holds the block's first line, line 11 item 1's face.
    QTest::newRow("a flag neither 0 nor 1")
        << replaced("label1(1).bold=1", "label1(1).bold=2") << QStringLiteral("第 12 行");
    QTest::newRow("a colour by its name")
        << replaced("label1(1).color=#c00000", "label1(1).color=red") << QStringLiteral("第 16 行");
    QTest::newRow("a colour cut short") << replaced("label1(1).color=#c00000",
        "label1(1).color=#c0000") << QStringLiteral("第 16 行");
    QTest::newRow("a % that escapes nothing")
        << replaced("100%25 Sans", "100% Sans") << QStringLiteral("第 25 行");
    QTest::newRow("an entry without =")
        << replaced("label1(1).bold=1", "label1(1).bold") << QStringLiteral("第 12 行");
    QTest::newRow("a field item the design lacks")
        << replaced("Image1.visible=0", "label1(4).hidden=1") << QStringLiteral("第 32 行");
    QTest::newRow("a label size of one side")
        << replaced("Picture1.height=55.00\r\n", "") << QStringLiteral("标签尺寸只有宽或高");
    QTest::newRow("a label size of no millimetres")
        << replaced("Picture1.width=80.00", "Picture1.width=-3") << QStringLiteral("第 33 行");
    QTest::newRow("a QR code level of another name")
        << replaced("Image1.level=H", "Image1.level=X") << QStringLiteral("第 35 行");
    QTest::newRow("a barcode type this reader lacks")
        << replaced("Picture2.type=code39", "Picture2.type=aztec") << QStringLiteral("第 36 行");
    QTest::newRow("the template item")
        << replaced("label1(1).font", "label1(0).font") << QStringLiteral("第 11 行");
    QTest::newRow("an index past any number")
        << replaced("label1(1).font", "label1(99999999999).font") << QStringLiteral("第 11 行");
}

void LayoutExtensionTest::aDamagedBlockIsNotApplied()
{
    QFETCH(QByteArray, block);
    QFETCH(QString, where);
    const auto [plain, plainStatus] = loaded("plain.ini", positional_);
    QCOMPARE(plainStatus, QString());
    const auto [damaged, status] = loaded("damaged.ini", positional_ + block);
    QCOMPARE(damaged, plain);
    QVERIFY2(status.contains(where)
            && status.contains(QStringLiteral("字体、颜色、显示与否、标签尺寸和码制都没有恢复")),
        qPrintable(status));
}

void LayoutExtensionTest::whatThisReaderDoesNotKnowIsPassedOver_data()
{
    QTest::addColumn<QByteArray>("block");
    QTest::addColumn<bool>("applied");
    const QByteArray first = "[Tagloom 1]\r\n";
    const auto inserted = [&](const QByteArray &entries) {
        return QByteArray(block_).insert(first.size(), entries);
    };
    QTest::newRow("an attribute of a later version")
        << inserted("label1(1).shadow=1\r\nImage1.border=2\r\n") << true;
    QTest::newRow("an item of a later version")
        << inserted("Picture1.widthMm=50.8\r\nPicture2.font=x\r\n") << true;
    QTest::newRow("a key of no item") << inserted("comment=drawn by hand\r\n") << true;
    QTest::newRow("an item name not quite a field item")
        << inserted("label1(x).bold=1\r\nlabel1(1.bold=1\r\n") << true;
    QTest::newRow("a block of a later version")
        << QByteArray(block_).replace("[Tagloom 1]", "[Tagloom 2]") << false;
    QTest::newRow("a block a line late") << "\r\n" + block_ << false;
}

void LayoutExtensionTest::whatThisReaderDoesNotKnowIsPassedOver()
{
    QFETCH(QByteArray, block);
    QFETCH(bool, applied);
    const auto [expected, expectedStatus] = loaded("expected.ini", applied ? saved_ : positional_);
    const auto [state, status] = loaded("skipped.ini", positional_ + block);
    QCOMPARE(state, expected);
    QCOMPARE(status, QString());
}

QTEST_MAIN(LayoutExtensionTest)
#include "LayoutExtensionTest.moc"
