// Saving a layout through the main window: the lines a design gives, byte for byte, and a save
// that fails saying so and leaving the file it would have replaced as it was.
#include "DesignScenario.h"
#include "canvas/LabelDesign.h"
#include "layout/LayoutText.h"
#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using namespace tagloom;
using namespace tagloom::test;

namespace {

// While it lives, files may grow no larger than 16 bytes, as on a full disk; even root is held
// to it.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(bool active)
        : active_(active)
    {
        if (!active_) return;
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &before_);
        rlimit limited = before_;
        limited.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        if (active_) setrlimit(RLIMIT_FSIZE, &before_);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

private:
    bool active_;
    rlimit before_ {};
};

} // namespace

class LayoutSaveTest : public QObject
{
    Q_OBJECT

private slots:
    void theNineLineExample();
    void linesFollowTheDesign();
    void cancelWritesNothing();
    void savingAgainReplacesTheWholeFile();
    void aFailedSaveSaysSoAndKeepsTheOldFile_data();
    void aFailedSaveSaysSoAndKeepsTheOldFile();
    void theSaveDialogNeverProposesTheWorkbook();
    void replacingWhatIsNoLayoutAsksFirst_data();
    void replacingWhatIsNoLayoutAsksFirst();
    void afterALayoutTheOtherDialogsStillOfferTheirFiles();

private:
    static QList<QByteArray> linesOf(const QByteArray &file);
    QTemporaryDir scratch_;
};

QList<QByteArray> LayoutSaveTest::linesOf(const QByteArray &file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r')) qFatal("a line without CR LF");
        line.chop(1);
    }
    return lines;
}

void LayoutSaveTest::theNineLineExample()
{
    const QString workbook = scratch_.filePath("three.xls");
    QVERIFY(writeWorkbook(workbook, {{"a", "b", "c"}, {"1", "2", "3"}}));
    TestProgram program;
    program.dialogs.answerOpen(workbook);
    program.click("Command2");
    program.dialogs.answerMessage();
    program.click("Command3"); // items at Left 2000, Top 300 * column, 10 points
    LabelDesign &design = program.workspace.canvas();
    design.moveField(3, 3600, 1260);
    LabelFont font = design.field(3).font;
    font.pointSize = 10.5F;
    design.setFieldFont(3, font);
    program.click("Command4"); // the QR code at its first place and size
    program.panel().setLabelPicturePath("D:\\labels\\tag.jpg");
    program.panel().setDataFilePath("D:\\labels\\data.xls");
    program.panel().chooser(MainPanel::QrSource).setListIndex(2);

    const QString path = scratch_.filePath("example.ini");
    QCOMPARE(DesignScenario::save(program, path),
        QByteArray("text1,D:\\labels\\tag.jpg\r\n"
                   "text2,D:\\labels\\data.xls\r\n"
                   "label1(1),300,2000,10\r\n"
                   "label1(2),600,2000,10\r\n"
                   "label1(3),1260,3600,10.5\r\n"
                   "Image1,360,2760,1005,1005\r\n"
                   "\r\n"
                   "Combo1(0),2\r\n"
                   "Combo1(1),-1\r\n"
                   // What those nine lines cannot hold follows them.
                   "[Tagloom 1]\r\n"
                   "label1(1).font=SimSun\r\n"
                   "label1(1).bold=0\r\n"
                   "label1(1).italic=0\r\n"
                   "label1(1).underline=0\r\n"
                   "label1(1).strikeout=0\r\n"
                   "label1(1).color=#000000\r\n"
                   "label1(1).hidden=0\r\n"
                   "label1(2).font=SimSun\r\n"
                   "label1(2).bold=0\r\n"
                   "label1(2).italic=0\r\n"
                   "label1(2).underline=0\r\n"
                   "label1(2).strikeout=0\r\n"
                   "label1(2).color=#000000\r\n"
                   "label1(2).hidden=0\r\n"
                   "label1(3).font=SimSun\r\n"
                   "label1(3).bold=0\r\n"
                   "label1(3).italic=0\r\n"
                   "label1(3).underline=0\r\n"
                   "label1(3).strikeout=0\r\n"
                   "label1(3).color=#000000\r\n"
                   "label1(3).hidden=0\r\n"
                   "Image1.visible=1\r\n"
                   "Image1.level=M\r\n"
                   "Picture2.type=code128\r\n"
                   "[Tagloom end]\r\n"));
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.dialogs.shown().last().kind, ScriptedDialogs::Kind::Message);
    const MessageRequest done = program.dialogs.messages().last();
    QCOMPARE(done.text, QStringLiteral("保存完成"));
    QCOMPARE(done.title, QStringLiteral("保存"));
    QCOMPARE(done.buttons, MessageButtons::Ok);
    const auto saveDialog = program.dialogs.shown().at(program.dialogs.shown().size() - 2);
    QCOMPARE(saveDialog.kind, ScriptedDialogs::Kind::Save);
    QCOMPARE(saveDialog.file.filter, QStringLiteral("*.ini 文件|*.ini"));
}

void LayoutSaveTest::linesFollowTheDesign()
{
    // Nothing chosen yet: the first texts of the paths, no item lines, two empty code lines.
    TestProgram fresh;
    const QString chinese = QStringLiteral("/标签/图片 1.bmp");
    fresh.panel().setLabelPicturePath(chinese);
    const QList<QByteArray> empty
        = linesOf(DesignScenario::save(fresh, scratch_.filePath("empty.ini")));
    QCOMPARE(empty,
        (QList<QByteArray> {"text1," + chinese.toUtf8(),
            "text2," + fresh.panel().dataFilePath().toUtf8(), "", "", "Combo1(0),-1",
            "Combo1(1),-1", "[Tagloom 1]", "Image1.visible=1", "Image1.level=M",
            "Picture2.type=code128", "[Tagloom end]"}));

    // A hidden field item is written like a shown one; a removed QR code still counts as
    // inserted, a hidden barcode holder does not.
    QTemporaryDir folder;
    TestProgram program;
    DesignScenario(folder.path()).build(program);
    QList<QByteArray> lines = linesOf(DesignScenario::save(program, folder.filePath("full.ini")));
    QCOMPARE(lines.indexOf("[Tagloom 1]"), 9);
    QCOMPARE(lines[3], QByteArray("label1(2),615.5,-120,9.75"));
    QCOMPARE(lines[5], QByteArray("Image1,480,2880,1125,1200"));
    QCOMPARE(lines[6], QByteArray("Picture2,2520,240,4335,975"));
    QCOMPARE(lines[7], QByteArray("Combo1(0),2"));
    program.click("Command10");
    lines = linesOf(DesignScenario::save(program, folder.filePath("removed.ini")));
    QCOMPARE(lines[5], QByteArray("Image1,480,2880,1125,1200"));
    QCOMPARE(lines[6], QByteArray());
}

void LayoutSaveTest::cancelWritesNothing()
{
    // The dialog keeps the name of its last use; Cancel must not write to it.
    TestProgram program;
    const QString path = scratch_.filePath("cancelled.ini");
    DesignScenario::save(program, path);
    QVERIFY(QFile::remove(path));
    program.dialogs.cancelSave();
    program.click("Command8");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.dialogs.messages().size(), 1);
    QVERIFY(!QFile::exists(path));
}

void LayoutSaveTest::savingAgainReplacesTheWholeFile()
{
    QTemporaryDir folder;
    const QString path = folder.filePath("plain"); // no extension is added
    TestProgram designed;
    DesignScenario(folder.path()).build(designed);
    const QByteArray first = DesignScenario::save(designed, path);
    TestProgram fresh;
    const QByteArray second = DesignScenario::save(fresh, path);
    QVERIFY(second.size() < first.size());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), second);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files).filter("plain"), QStringList {"plain"});
}

void LayoutSaveTest::aFailedSaveSaysSoAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("the folder is a file") << "parent";
    QTest::newRow("the name is a folder") << "folder";
    QTest::newRow("the disk fills while writing") << "full";
}

void LayoutSaveTest::aFailedSaveSaysSoAndKeepsTheOldFile()
{
    QFETCH(QString, failure);
    QTemporaryDir folder;
    QString path = folder.filePath("old.ini");
    const QByteArray old = "text1,old\r\n";
    QFile oldFile(path);
    QVERIFY(oldFile.open(QIODevice::WriteOnly) && oldFile.write(old) == old.size());
    oldFile.close();
    if (failure == "parent") path += "/new.ini";
    if (failure == "folder") {
        path = folder.filePath("sub");
        QVERIFY(QDir(folder.path()).mkdir("sub"));
    }

    TestProgram program;
    program.dialogs.answerSave(path);
    program.dialogs.answerMessage();
    {
        const FileSizeLimit limit(failure == "full");
        program.click("Command8");
    }
    QVERIFY(program.dialogs.allAnswered());
    const MessageRequest error = program.dialogs.messages().last();
    QCOMPARE(error.title, QStringLiteral("出错"));
    QCOMPARE(error.buttons, MessageButtons::Ok);
    QVERIFY2(error.text.contains(path), qPrintable(error.text));

    QVERIFY(oldFile.open(QIODevice::ReadOnly));
    QCOMPARE(oldFile.readAll(), old);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
        QStringList {"old.ini"}); // nothing half-written beside it
}

// After choosing products.xls, Enter in the save dialog must not replace the workbook.
void LayoutSaveTest::theSaveDialogNeverProposesTheWorkbook()
{
    QTemporaryDir folder;
    const QString workbook = folder.filePath("products.xls");
    QVERIFY(writeWorkbook(workbook, {{"SKU", "名称"}, {"A-1", "杯"}}));
    TestProgram program;
    program.dialogs.answerOpen(workbook);
    program.click("Command2");
    const QString layout = folder.filePath("products.ini");
    program.dialogs.answerSave(layout);
    program.dialogs.answerMessage();
    program.click("Command8");
    QCOMPARE(program.dialogs.shown().at(1).file.fileName, layout); // the workbook's name, .ini
    // The next save offers the layout just saved, whatever the dialog chose in between.
    program.dialogs.answerOpen(fixture("pictures/label_600x400.png"));
    program.click("Command1");
    program.dialogs.answerSave(folder.filePath("other.ini"));
    program.dialogs.answerMessage();
    program.click("Command8");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.dialogs.shown().at(4).file.fileName, layout);
    QVERIFY(LayoutText::looksLikeLayout(layout));
    QVERIFY(!LayoutText::looksLikeLayout(workbook));
}

void LayoutSaveTest::replacingWhatIsNoLayoutAsksFirst_data()
{
    QTest::addColumn<QByteArray>("existing");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("replaced");
    const QByteArray workbook("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 and more", 17);
    QTest::newRow("a workbook, kept") << workbook << true << MessageAnswer::No << false;
    QTest::newRow("a workbook, replaced") << workbook << true << MessageAnswer::Yes << true;
    QTest::newRow("an older layout")
        << QByteArray("text1,a.png\r\ntext2,b.xls\r\n") << false << MessageAnswer::Ok << true;
    QTest::newRow("an empty file") << QByteArray() << false << MessageAnswer::Ok << true;
}

void LayoutSaveTest::replacingWhatIsNoLayoutAsksFirst()
{
    QFETCH(QByteArray, existing);
    QFETCH(bool, asked);
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, replaced);
    QTemporaryDir folder;
    const QString path = folder.filePath("data"); // a name without extension, used as typed
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(existing);
    file.close();

    TestProgram program;
    program.dialogs.answerSave(path);
    if (asked) program.dialogs.answerMessage(answer);
    if (replaced) program.dialogs.answerMessage(); // 保存完成
    program.click("Command8");
    QVERIFY(program.dialogs.allAnswered());
    if (asked) {
        const MessageRequest question = program.dialogs.messages().first();
        QCOMPARE(question.buttons, MessageButtons::YesNo); // "否" is the default
        QVERIFY2(question.text.contains(path), qPrintable(question.text));
    }
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray now = file.readAll();
    QCOMPARE(now.startsWith("text1,"), replaced);
    if (!replaced) QCOMPARE(now, existing);
}

// The layout commands leave their filter on the shared dialog; the picture and data commands
// keep it first but offer their own files and all files, and never start on the layout.
void LayoutSaveTest::afterALayoutTheOtherDialogsStillOfferTheirFiles()
{
    QTemporaryDir folder;
    const QString layout = folder.filePath("saved.ini");
    TestProgram program;
    DesignScenario::save(program, layout);
    program.dialogs.cancelOpen();
    program.click("Command1");
    program.dialogs.cancelOpen();
    program.click("Command2");
    QVERIFY(program.dialogs.allAnswered());
    const QList<ScriptedDialogs::Shown> &shown = program.dialogs.shown();
    const FileDialogRequest picture = shown.at(shown.size() - 2).file;
    const FileDialogRequest data = shown.last().file;
    for (const FileDialogRequest &request : {picture, data}) {
        const QStringList filter = request.filter.split('|');
        QCOMPARE(filter.mid(0, 2), QStringList({"*.ini 文件", "*.ini"}));
        QCOMPARE(filter.mid(4), QStringList({"所有文件", "*"}));
        QCOMPARE(request.fileName, QFileInfo(layout).absolutePath());
    }
    QCOMPARE(picture.filter.split('|').at(2), QStringLiteral("图片文件"));
    QCOMPARE(data.filter.split('|').at(2), QStringLiteral("数据文件"));
    QVERIFY(data.filter.split('|').at(3).split(';').contains("*.xls"));
}

QTEST_MAIN(LayoutSaveTest)
#include "LayoutSaveTest.moc"
