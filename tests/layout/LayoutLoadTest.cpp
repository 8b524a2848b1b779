// Loading a layout through the main window: a saved design restored in a freshly started program,
// files cut anywhere, refused values, data files that changed, other encodings and places, and
// damaged files that must change nothing.
#include "DesignScenario.h"
#include "canvas/LabelDesign.h"
#include "canvas/NumberText.h"
#include "data/DataTable.h"
#include "layout/LayoutLoader.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

using namespace tagloom;
using namespace tagloom::test;

class LayoutLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void aSavedDesignComesBackInAFreshProgram();
    void everyCutOfTheFileRestoresWhatItHolds();
    void aValueEndsTheLoadWhereItIsRefused_data();
    void aValueEndsTheLoadWhereItIsRefused();
    void dataFilesThatGainedOrLostColumns();
    void loadingAgainStartsFromAFreshCanvas();
    void gbkFilesWithChinesePaths();
    void relativePathsFollowTheLayoutFile();
    void relativePathsStayRelativeWhereTheyStillFit();
    void lineThatIsUtf8AndGbkAlike_data();
    void lineThatIsUtf8AndGbkAlike();
    void pathsThatNameNoPicture_data();
    void pathsThatNameNoPicture();
    void aNulInAPathNamesNoFile();
    void damagedFilesChangeNothing_data();
    void damagedFilesChangeNothing();

private:
    QString write(const QString &name, const QByteArray &bytes);
    // The saved file with line n (from 1) replaced.
    QByteArray withLine(int n, const QByteArray &line) const;
    // Everything a load can change, in one text; a restored value with its name.
    static QString describe(const QList<RestoredValue> &values, const QList<float> &numbers);

    QTemporaryDir scratch_;
    std::unique_ptr<DesignScenario> scenario_;
    QByteArray saved_;
    QByteArray positional_; // the saved file without its extension block
    QList<RestoredValue> values_ = DesignScenario::restoredValues(4);
    QList<float> savedValues_;
    QList<float> initialValues_;
};

QString LayoutLoadTest::write(const QString &name, const QByteArray &bytes)
{
    const QString path = scratch_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray LayoutLoadTest::withLine(int n, const QByteArray &line) const
{
    QList<QByteArray> lines = saved_.split('\n');
    lines[n - 1] = line + '\r';
    return lines.join('\n');
}

QString LayoutLoadTest::describe(const QList<RestoredValue> &values, const QList<float> &numbers)
{
    QStringList parts;
    for (qsizetype i = 0; i < values.size(); ++i)
        parts << values[i].name + '=' + NumberText::fromSingle(numbers[i]);
    return parts.join(' ');
}

void LayoutLoadTest::initTestCase()
{
    scenario_ = std::make_unique<DesignScenario>(scratch_.path());
    TestProgram source;
    scenario_->build(source);
    saved_ = DesignScenario::save(source, scratch_.filePath("design.ini"));
    positional_ = saved_.left(saved_.indexOf("[Tagloom 1]"));
    savedValues_ = DesignScenario::read(source, values_);
    TestProgram fresh;
    initialValues_ = DesignScenario::read(fresh, values_);
    // Every restored value differs from where a fresh program has it, so each one is seen.
    for (qsizetype i = 0; i < values_.size(); ++i)
        QVERIFY2(savedValues_[i] != initialValues_[i], qPrintable(values_[i].name));
}

void LayoutLoadTest::aSavedDesignComesBackInAFreshProgram()
{
    TestProgram program;
    DesignScenario::load(program, scratch_.filePath("design.ini"));
    QVERIFY(program.dialogs.allAnswered());
    QVERIFY(program.dialogs.messages().isEmpty());
    QCOMPARE(DesignScenario::read(program, values_), savedValues_);

    QCOMPARE(program.panel().labelPicturePath(), scenario_->picture());
    QCOMPARE(program.panel().dataFilePath(), scenario_->workbook());
    const LabelDesign &design = program.workspace.canvas();
    QVERIFY(design.picture());
    QCOMPARE(design.scaleWidth(), 300.0F * 15);
    QVERIFY(program.forms.form2()->isVisible());
    QVERIFY(program.form1().findChild<QTimer *>("Timer1")->isActive());
    QVERIFY(program.forms.form3()->isVisible());
    QCOMPARE(program.workspace.dataTable().rows(), 3);
    QCOMPARE(program.panel().rangeText(MainPanel::LastRow), QStringLiteral("2"));
    QVERIFY(!program.control<QPushButton>("Command3")->isEnabled());
    QCOMPARE(design.fieldCount(), 4);
    for (int index = 1; index < 4; ++index) {
        QCOMPARE(design.field(index).caption, program.workspace.dataTable().cell(0, index));
        QCOMPARE(design.field(index).visible, index != 2); // as at saving: the extension block
    }
    QVERIFY(design.qrCodeInserted());
    QVERIFY(design.barcodeInserted());
    // Saved again, the restored design gives the same file.
    QCOMPARE(DesignScenario::save(program, scratch_.filePath("again.ini")), saved_);
}

// The positional lines cut anywhere; cuts of the extension block: LayoutExtensionTest.
void LayoutLoadTest::everyCutOfTheFileRestoresWhatItHolds()
{
    const QByteArray &saved = positional_;
    const auto [pictureStart, pictureEnd] = DesignScenario::span(saved, 1, 1);
    const auto [dataStart, dataEnd] = DesignScenario::span(saved, 2, 1);
    const qsizetype qrLine = DesignScenario::span(saved, 6, 0).first;
    const qsizetype holderLine = DesignScenario::span(saved, 7, 0).first;
    const MainPanel initial;
    for (qsizetype cut = 0; cut <= saved.size(); ++cut) {
        TestProgram program;
        DesignScenario::load(program, write("cut.ini", saved.left(cut)));

        // Paths arrive as far as they go; a number cut short counts as far as it goes.
        QString text1 = initial.labelPicturePath();
        QString text2 = initial.dataFilePath();
        if (cut >= pictureStart)
            text1 = QString::fromUtf8(
                saved.mid(pictureStart, std::min(cut, pictureEnd) - pictureStart));
        if (cut >= pictureEnd && cut >= dataStart)
            text2 = QString::fromUtf8(saved.mid(dataStart, std::min(cut, dataEnd) - dataStart));
        const bool itemsCreated = cut >= dataEnd;
        QList<float> expected = initialValues_;
        for (qsizetype i = 0; itemsCreated && i < values_.size(); ++i) {
            const auto [start, end]
                = DesignScenario::span(saved, values_[i].line, values_[i].field);
            if (cut >= end) {
                expected[i] = savedValues_[i];
                continue;
            }
            if (const auto part
                = NumberText::toSingle(QString::fromLatin1(saved.mid(start, cut - start)));
                part && cut > start)
                expected[i] = *part;
            break;
        }
        const auto state = [&](bool picture, int fields, bool qr, bool holder, const QString &t1,
                               const QString &t2, const QList<float> &numbers) {
            return QStringLiteral(
                "cut %1: picture %2, items %3, QR %4, holder %5, Text1 %6, Text2 %7, %8")
                .arg(cut)
                .arg(picture)
                .arg(fields)
                .arg(qr)
                .arg(holder)
                .arg(t1, t2, describe(values_, numbers));
        };
        const LabelDesign &design = program.workspace.canvas();
        QCOMPARE(state(design.picture() != nullptr, design.fieldCount(), design.qrCodeInserted(),
                     design.barcodeInserted(), program.panel().labelPicturePath(),
                     program.panel().dataFilePath(), DesignScenario::read(program, values_)),
            state(cut >= pictureEnd, itemsCreated ? 4 : 1, itemsCreated && cut > qrLine,
                itemsCreated && cut > holderLine, text1, text2, expected));
    }
}

void LayoutLoadTest::aValueEndsTheLoadWhereItIsRefused_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QList<float>>("applied"); // the values of the line that are taken

    QTest::newRow("keywords are not examined")
        << 3 << "anything,300,2000,10" << QList<float> {300, 2000, 10};
    QTest::newRow("spaces around numbers")
        << 3 << "label1(1), 300 ,\t2000 , 10 " << QList<float> {300, 2000, 10};
    QTest::newRow("empty field") << 3 << "label1(1),,2000,10" << QList<float> {};
    QTest::newRow("missing field") << 3 << "label1(1),300,2000" << QList<float> {300, 2000};
    QTest::newRow("no number") << 3 << "label1(1),300,2000,ten" << QList<float> {300, 2000};
    QTest::newRow("NUL in a number")
        << 3 << QStringLiteral("label1(1),3%100,2000,10").arg(QChar(0)) << QList<float> {};
    QTest::newRow("hexadecimal") << 3 << "label1(1),0x12C,2000,10" << QList<float> {};
    QTest::newRow("1e30") << 3 << "label1(1),1e30,2000,10" << QList<float> {};
    QTest::newRow("NaN") << 3 << "label1(1),300,NaN,10" << QList<float> {300};
    QTest::newRow("infinity") << 3 << "label1(1),300,2000,inf" << QList<float> {300, 2000};
    QTest::newRow("positions at their limits")
        << 4 << "label1(2),100000,-100000,10" << QList<float> {100000, -100000, 10};
    QTest::newRow("position past its limit") << 4 << "label1(2),-100001,2000,10" << QList<float> {};
    QTest::newRow("largest font size")
        << 5 << "label1(3),300,2000,1638" << QList<float> {300, 2000, 1638};
    QTest::newRow("font size too large")
        << 5 << "label1(3),300,2000,1639" << QList<float> {300, 2000};
    QTest::newRow("font size too small")
        << 5 << "label1(3),300,2000,0.5" << QList<float> {300, 2000};
    QTest::newRow("negative width") << 6 << "Image1,480,2880,-1,1200" << QList<float> {480, 2880};
    QTest::newRow("height past its limit")
        << 6 << "Image1,480,2880,1125,100001" << QList<float> {480, 2880, 1125};
    QTest::newRow("empty size") << 7 << "Picture2,2520,240,0,0" << QList<float> {2520, 240, 0, 0};
    QTest::newRow("holder at 1e30") << 7 << "Picture2,1e30,120,4335,975" << QList<float> {};
    QTest::newRow("index past the list") << 8 << "Combo1(0),3" << QList<float> {};
    QTest::newRow("index below -1") << 8 << "Combo1(0),-2" << QList<float> {};
    QTest::newRow("fractional index") << 8 << "Combo1(0),1.5" << QList<float> {};
    QTest::newRow("first entry") << 8 << "Combo1(0), 0 " << QList<float> {0};
    QTest::newRow("index past 16 bits") << 9 << "Combo1(1),65537" << QList<float> {};
}

void LayoutLoadTest::aValueEndsTheLoadWhereItIsRefused()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    QFETCH(QList<float>, applied);
    TestProgram program;
    // The load of Command9 after its dialog, with the reason the command line reports.
    QString reason;
    const bool loaded = LayoutLoader::load(
        program.workspace, write("refused.ini", withLine(line, text.toUtf8())), &reason);

    qsizetype first = 0;
    while (values_[first].line < line)
        ++first;
    qsizetype inLine = 0;
    while (first + inLine < values_.size() && values_[first + inLine].line == line)
        ++inLine;
    const bool complete = applied.size() == inLine;
    QList<float> expected = savedValues_.mid(0, first) + applied;
    while (expected.size() < values_.size()) {
        const qsizetype i = expected.size();
        expected.append(complete ? savedValues_[i] : initialValues_[i]);
    }
    QCOMPARE(
        describe(values_, DesignScenario::read(program, values_)), describe(values_, expected));
    const LabelDesign &design = program.workspace.canvas();
    QCOMPARE(design.qrCodeInserted(), line >= 6 || complete);
    QCOMPARE(design.barcodeInserted(), line >= 7 || complete);
    QCOMPARE(loaded, complete);
    const QString where = QStringLiteral("第 %1 行").arg(line);
    const QString which = QStringLiteral("第 %1 项").arg(applied.size() + 1);
    QVERIFY2(complete || (reason.contains(where) && reason.contains(which)), qPrintable(reason));
}

void LayoutLoadTest::dataFilesThatGainedOrLostColumns()
{
    // The layout, its picture and a changed workbook in a folder of their own, named relatively.
    const QByteArray layout = "text1,label.bmp\r\ntext2,data.xls\r\n"
        + saved_.mid(DesignScenario::span(saved_, 3, 0).first);
    const auto loadWith = [&](const QString &name, const QList<QStringList> &rows) {
        QDir(scratch_.path()).mkdir(name);
        const QString folder = scratch_.filePath(name);
        if (!QFile::copy(scenario_->picture(), folder + "/label.bmp")
            || !writeWorkbook(folder + "/data.xls", rows))
            qFatal("cannot prepare %s", qPrintable(folder));
        auto program = std::make_unique<TestProgram>();
        DesignScenario::load(*program, write(name + "/layout.ini", layout));
        return program;
    };
    const auto saved
        = [this](qsizetype from, qsizetype count) { return savedValues_.mid(from, count); };
    const auto initial
        = [this](qsizetype from, qsizetype count) { return initialValues_.mid(from, count); };
    constexpr qsizetype items = 9, image = 9, holder = 13,
                        choosers = 17; // positions in the list of values

    // One column less: the last item line is taken as the QR code line and ends the load on its
    // missing fourth field, after giving the image that item's Top, Left and, as Width, its font
    // size.
    std::unique_ptr<TestProgram> program = loadWith("lost", {{"SKU", "名称"}, {"A-1", "茶杯"}});
    QList<RestoredValue> values = DesignScenario::restoredValues(3);
    QCOMPARE(describe(values, DesignScenario::read(*program, values)),
        describe(values,
            saved(0, 6) + saved(6, 3) + initial(image + 3, 1) + initial(holder, 4)
                + initial(choosers, 2)));
    QVERIFY(program->workspace.canvas().qrCodeInserted());
    QVERIFY(!program->workspace.canvas().barcodeInserted());

    // One column more: the new item takes the QR code line, the image the barcode line and the
    // holder the first chooser line, which ends the load; no chooser is restored.
    program = loadWith("gained", {{"SKU", "名称", "网址", "新"}, {"A-1", "茶杯", "u1", "x"}});
    values = DesignScenario::restoredValues(5);
    QCOMPARE(describe(values, DesignScenario::read(*program, values)),
        describe(values,
            saved(0, items) + saved(image, 3) + saved(holder, 4) + saved(choosers, 1)
                + initial(holder + 1, 3) + initial(choosers, 2)));
    QVERIFY(program->workspace.canvas().barcodeInserted());
}

void LayoutLoadTest::loadingAgainStartsFromAFreshCanvas()
{
    // A design with field items, the QR code inserted at level H and a Code 39; the layout has no
    // QR code line, nor the extension block that would hide item 2 again and keep level and type.
    TestProgram program;
    scenario_->build(program);
    const QByteArray noQr = withLine(6, "");
    DesignScenario::load(program, write("noqr.ini", noQr.left(noQr.indexOf("[Tagloom 1]"))));
    const LabelDesign &design = program.workspace.canvas();
    QVERIFY(!design.qrCodeInserted());
    QCOMPARE(design.codeImage().geometry, LabelDesign().codeImage().geometry);
    QCOMPARE(design.fieldCount(), 4);
    QVERIFY(design.field(2).visible);
    QCOMPARE(design.qrLevel(), QrLevel::M); // as before there were levels and types
    QCOMPARE(design.barcodeType(), BarcodeType::Code128);
    QVERIFY(design.picture());
    QVERIFY(program.forms.form2()->isVisible());
    QCOMPARE(
        program.panel().chooser(MainPanel::QrSource).items().size(), 6); // headers appended again

    DesignScenario::load(program, scratch_.filePath("design.ini"));
    QCOMPARE(DesignScenario::read(program, values_), savedValues_);
    QCOMPARE(program.panel().chooser(MainPanel::BarcodeSource).items().size(), 9);
}

void LayoutLoadTest::gbkFilesWithChinesePaths()
{
    const QString folder = scratch_.filePath(QStringLiteral("标签 资料"));
    QVERIFY(QDir().mkpath(folder));
    const QString picture = folder + QStringLiteral("/标签图片.bmp");
    const QString workbook = folder + QStringLiteral("/数据表.xls");
    QVERIFY(
        QFile::copy(scenario_->picture(), picture) && QFile::copy(scenario_->workbook(), workbook));
    const QString text = QStringLiteral("text1,%1\r\ntext2,%2\r\n").arg(picture, workbook)
        + QString::fromUtf8(saved_.mid(DesignScenario::span(saved_, 3, 0).first));
    QStringEncoder gbk("GB18030");
    const QByteArray bytes = gbk.encode(text);
    QVERIFY(!gbk.hasError());
    QVERIFY(!QUtf8StringView(bytes).isValidUtf8());

    TestProgram program;
    DesignScenario::load(program, write("gbk.ini", bytes));
    QCOMPARE(program.panel().labelPicturePath(), picture);
    QCOMPARE(program.panel().dataFilePath(), workbook);
    QCOMPARE(DesignScenario::read(program, values_), savedValues_);
}

void LayoutLoadTest::relativePathsFollowTheLayoutFile()
{
    const QString folder = scratch_.filePath("moved");
    QVERIFY(QDir().mkpath(folder + "/pictures"));
    QVERIFY(QFile::copy(scenario_->picture(), folder + "/pictures/label.bmp"));
    QVERIFY(QFile::copy(scenario_->workbook(), folder + "/data.xls"));
    write("moved/layout.ini",
        withLine(1, "text1,pictures/label.bmp")
            .replace(scenario_->workbook().toUtf8(), "../moved/data.xls"));

    // A layout named relatively, as on the command line, still gives absolute paths.
    TestProgram program;
    const QString current = QDir::currentPath();
    QDir::setCurrent(scratch_.path());
    program.form1().loadLayout("moved/layout.ini");
    QDir::setCurrent(current);
    QCOMPARE(program.panel().labelPicturePath(), folder + "/pictures/label.bmp");
    QCOMPARE(program.panel().dataFilePath(), folder + "/data.xls");
    QCOMPARE(DesignScenario::read(program, values_), savedValues_);
}

void LayoutLoadTest::relativePathsStayRelativeWhereTheyStillFit()
{
    const QString folder = scratch_.filePath("travel");
    QVERIFY(QDir().mkpath(folder + "/pictures"));
    QVERIFY(QFile::copy(scenario_->picture(), folder + "/pictures/label.bmp"));
    QVERIFY(QFile::copy(scenario_->workbook(), folder + "/data.xls"));
    const QByteArray layout = withLine(1, "text1,pictures/label.bmp")
                                  .replace(scenario_->workbook().toUtf8(), "data.xls");
    write("travel/layout.ini", layout);

    // Saved again in its folder, the layout is the file it was, relative paths and all.
    TestProgram program;
    DesignScenario::load(program, folder + "/layout.ini");
    QCOMPARE(program.panel().labelPicturePath(), folder + "/pictures/label.bmp");
    QCOMPARE(DesignScenario::save(program, folder + "/again.ini"), layout);
    // Elsewhere the same texts would name other files: the full paths are written.
    QVERIFY(QDir().mkpath(scratch_.filePath("elsewhere")));
    QList<QByteArray> lines
        = DesignScenario::save(program, scratch_.filePath("elsewhere/copy.ini")).split('\n');
    QCOMPARE(lines[0], "text1," + (folder + "/pictures/label.bmp\r").toUtf8());
    QCOMPARE(lines[1], "text2," + (folder + "/data.xls\r").toUtf8());
    // Another picture chosen: its full path; the workbook stays relative.
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    lines = DesignScenario::save(program, folder + "/again.ini").split('\n');
    QCOMPARE(lines[0], "text1," + (fixture("pictures/label_600x400.png") + '\r').toUtf8());
    QCOMPARE(lines[1], QByteArray("text2,data.xls\r"));

    // The folder moves as a whole, and its layouts still find their files.
    QVERIFY(QDir(scratch_.path()).rename("travel", "moved on"));
    TestProgram moved;
    DesignScenario::load(moved, scratch_.filePath("moved on/layout.ini"));
    QCOMPARE(moved.form1().status(), QString());
    QCOMPARE(moved.panel().dataFilePath(), scratch_.filePath("moved on/data.xls"));
    QCOMPARE(DesignScenario::read(moved, values_), savedValues_);
}

void LayoutLoadTest::lineThatIsUtf8AndGbkAlike_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<bool>("gbkFileExists");
    QTest::addColumn<bool>("utf8FileExists");
    QTest::addColumn<bool>("readAsGbk");
    QTest::newRow("the GBK file exists") << 1 << true << false << true;
    QTest::newRow("the UTF-8 file exists") << 1 << false << true << false;
    QTest::newRow("both exist") << 1 << true << true << false;
    QTest::newRow("neither exists") << 1 << false << false << false;
    QTest::newRow("the workbook's GBK file exists") << 2 << true << false << true;
}

void LayoutLoadTest::lineThatIsUtf8AndGbkAlike()
{
    QFETCH(int, line);
    QFETCH(bool, gbkFileExists);
    QFETCH(bool, utf8FileExists);
    QFETCH(bool, readAsGbk);
    // GBK 签/签 is the valid UTF-8 ǩ/ǩ: the bytes alone cannot tell which a file means.
    const QString gbkName = QStringLiteral("签/签") + (line == 1 ? ".bmp" : ".xls");
    const QString utf8Name = QStringLiteral("ǩ/ǩ") + (line == 1 ? ".bmp" : ".xls");
    QStringEncoder gbk("GB18030");
    const QByteArray bytes = gbk.encode(gbkName);
    QCOMPARE(QString::fromUtf8(bytes), utf8Name);

    const QString folder = scratch_.filePath(QString::fromLatin1(QTest::currentDataTag()));
    const QString source = line == 1 ? scenario_->picture() : scenario_->workbook();
    for (const auto &[name, exists] :
        {std::pair(gbkName, gbkFileExists), {utf8Name, utf8FileExists}}) {
        if (!exists) continue;
        QVERIFY(QDir().mkpath(QFileInfo(folder + '/' + name).path()));
        QVERIFY(QFile::copy(source, folder + '/' + name));
    }
    QVERIFY(QDir().mkpath(folder));
    QByteArray layout = withLine(line, (line == 1 ? "text1," : "text2,") + bytes);
    write(QString::fromLatin1(QTest::currentDataTag()) + "/layout.ini", layout);
    QVERIFY(QUtf8StringView(layout).isValidUtf8());

    TestProgram program;
    DesignScenario::load(program, folder + "/layout.ini");
    const QString path
        = line == 1 ? program.panel().labelPicturePath() : program.panel().dataFilePath();
    QCOMPARE(path, folder + '/' + (readAsGbk ? gbkName : utf8Name));
    if (gbkFileExists || utf8FileExists) QCOMPARE(program.form1().status(), QString());
}

void LayoutLoadTest::pathsThatNameNoPicture_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text1"); // what Text1 holds afterwards
    const QString comma = scratch_.filePath("a,b.bmp");
    QVERIFY(QFile::copy(scenario_->picture(), comma));
    QTest::newRow("a comma cuts the path") << comma << scratch_.filePath("a");
    QTest::newRow("empty") << QString() << QString();
    const QString longPath = "/" + QString(30000, 'x'); // far past any file name
    QTest::newRow("very long") << longPath << longPath;
}

void LayoutLoadTest::pathsThatNameNoPicture()
{
    QFETCH(QString, path);
    QFETCH(QString, text1);
    TestProgram program;
    DesignScenario::load(program, write("nopicture.ini", withLine(1, "text1," + path.toUtf8())));
    QCOMPARE(program.panel().labelPicturePath(), text1);
    QVERIFY(!program.workspace.canvas().picture());
    QCOMPARE(program.panel().dataFilePath(), MainPanel().dataFilePath());
    QVERIFY(!program.workspace.hasDataTable());
}

void LayoutLoadTest::aNulInAPathNamesNoFile()
{
    const QString picture = scenario_->picture() + QChar(0);
    TestProgram program;
    DesignScenario::load(program, write("nul1.ini", withLine(1, "text1," + picture.toUtf8())));
    QCOMPARE(program.panel().labelPicturePath(), picture);
    QVERIFY(!program.workspace.canvas().picture());

    const QString workbook = scenario_->workbook() + QChar(0);
    DesignScenario::load(program, write("nul2.ini", withLine(2, "text2," + workbook.toUtf8())));
    QVERIFY(program.workspace.canvas().picture());
    QCOMPARE(program.panel().dataFilePath(), workbook);
    QVERIFY(!program.workspace.hasDataTable());
}

void LayoutLoadTest::damagedFilesChangeNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << scratch_.filePath("missing.ini");
    QTest::newRow("a folder") << scratch_.path();
    QTest::newRow("empty") << write("empty.ini", {});
    QTest::newRow("NUL bytes") << write("nul.ini", QByteArray(4096, '\0'));
    QByteArray noise(65536, Qt::Uninitialized);
    QRandomGenerator random(5);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    QTest::newRow("random bytes") << write("random.ini", noise);
    QTest::newRow("line 1 without a field") << write("nofield.ini", withLine(1, "text1"));
    QTest::newRow("neither UTF-8 nor GB18030")
        << write("undecodable.ini", withLine(1, "text1,/label\xff.bmp"));
    QTest::newRow("a character cut off at the end") << write("cutchar.ini", saved_ + "\xe6");
    QTest::newRow("larger than 1 MiB") << write("huge.ini", saved_ + QByteArray(1 << 20, ' '));
}

void LayoutLoadTest::damagedFilesChangeNothing()
{
    QFETCH(QString, path);
    TestProgram program;
    DesignScenario::load(program, path);
    const MainPanel initial;
    QCOMPARE(program.panel().labelPicturePath(), initial.labelPicturePath());
    QCOMPARE(program.panel().dataFilePath(), initial.dataFilePath());
    QVERIFY(!program.workspace.hasCanvas());
    QVERIFY(!program.workspace.hasDataTable());
    QVERIFY(!program.form1().findChild<QTimer *>("Timer1")->isActive());
}

QTEST_MAIN(LayoutLoadTest)
#include "LayoutLoadTest.moc"
