// The Debian package as a user gets it: made by cpack from this build, checked by Debian's own
// tools (lintian, desktop-file-validate, appstreamcli, man), unpacked with dpkg-deb and run from
// there against the system's Qt: its version, a table, its own example printed to PDF and scanned.
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <utility>

using namespace tagloom::test;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
    QString text() const { return QString::fromUtf8(out + err); }
};

Run run(const QString &program, const QStringList &arguments,
    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(300000) || process.exitStatus() != QProcess::NormalExit) {
        result.err = program.toUtf8() + " did not finish: " + process.errorString().toUtf8();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

// How a person's shell starts the program: no test platform, no display for the batch commands.
QProcessEnvironment userEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "LD_LIBRARY_PATH"})
        environment.remove(QString::fromLatin1(name));
    return environment;
}

QProcessEnvironment manEnvironment(int width)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.insert(QStringLiteral("MANWIDTH"), QString::number(width));
    return environment;
}

// The text of a manual page section: from its heading to the next one.
QString manSection(const QString &page, const QString &heading)
{
    const QRegularExpression pattern(
        QStringLiteral("^%1\\n(.*?)(?=^[A-Z][A-Z ]+$)").arg(QRegularExpression::escape(heading)),
        QRegularExpression::MultilineOption | QRegularExpression::DotMatchesEverythingOption);
    return pattern.match(page).captured(1);
}

bool containsWord(const QString &text, const QString &word)
{
    return text.contains(QRegularExpression(
        QStringLiteral("(?<![\\w-])%1(?![\\w-])").arg(QRegularExpression::escape(word))));
}

} // namespace

class PackageTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneVersionEverywhere();
    void dependsOnWhatTheProgramNeedsAtRunTime();
    void carriesTheProgramItsDesktopFilesAndDocumentation();
    void lintianFindsNoErrorsOrWarnings();
    void desktopEntryAndMetadataValidate();
    void manualPageRendersWithoutWarnings();
    void manualPageDescribesEveryOptionOfTheHelp();
    void unpackedProgramWritesATable();
    void unpackedProgramHandsTheWindowsToItsWindowProgram();
    void unpackedProgramPrintsItsOwnExample();

private:
    QString installed(const QString &path) const { return root_.filePath(path); }
    QString program() const { return installed(QStringLiteral("usr/bin/tagloom")); }
    QString control(const QString &field) const;
    QString manualPage(int width) const;

    QTemporaryDir scratch_;
    QDir root_;
    QString deb_;
};

void PackageTest::initTestCase()
{
    QVERIFY(scratch_.isValid());
    const QString out = scratch_.filePath(QStringLiteral("out"));
    const Run cpack = run(QStringLiteral(TAGLOOM_CPACK_COMMAND),
        {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
            QStringLiteral(TAGLOOM_CPACK_CONFIG), QStringLiteral("-B"), out});
    QVERIFY2(cpack.exitCode == 0, qPrintable(cpack.text()));

    // Debian's file name: package, version and architecture.
    const QString architecture = QString::fromUtf8(
        run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed());
    QVERIFY(!architecture.isEmpty());
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
    QCOMPARE(
        debs, QStringList(QStringLiteral("tagloom_%1_%2.deb").arg(TAGLOOM_VERSION, architecture)));
    deb_ = QDir(out).filePath(debs.first());

    root_ = QDir(scratch_.filePath(QStringLiteral("root")));
    const Run unpack = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb_, root_.path()});
    QVERIFY2(unpack.exitCode == 0, qPrintable(unpack.text()));
}

QString PackageTest::control(const QString &field) const
{
    return QString::fromUtf8(
        run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb_, field}).out.trimmed());
}

QString PackageTest::manualPage(int width) const
{
    return QString::fromUtf8(run(QStringLiteral("man"),
        {QStringLiteral("-l"), installed(QStringLiteral("usr/share/man/man1/tagloom.1.gz"))},
        manEnvironment(width))
                                 .out);
}

void PackageTest::oneVersionEverywhere()
{
    const QString version = QStringLiteral(TAGLOOM_VERSION);
    QCOMPARE(control(QStringLiteral("Version")), version);

    const Run shown = run(program(), {QStringLiteral("--version")}, userEnvironment());
    QCOMPARE(shown.exitCode, 0);
    QCOMPARE(shown.out, QStringLiteral("tagloom %1\n").arg(version).toUtf8());

    QFile metainfo(installed(
        QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(QStringLiteral(TAGLOOM_APP_ID))));
    QVERIFY(metainfo.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch release
        = QRegularExpression(QStringLiteral("<release version=\"([^\"]+)\" date=\"([^\"]+)\""))
              .match(QString::fromUtf8(metainfo.readAll()));
    QVERIFY(release.hasMatch());
    QCOMPARE(release.captured(1), version);

    // The manual page's footer: the version and the same release date.
    const QString footer = manualPage(80).trimmed().split(QLatin1Char('\n')).last();
    QVERIFY2(footer.startsWith(QStringLiteral("Tagloom %1 ").arg(version)), qPrintable(footer));
    QVERIFY2(footer.contains(release.captured(2)), qPrintable(footer));
}

void PackageTest::dependsOnWhatTheProgramNeedsAtRunTime()
{
    QStringList depends;
    for (const QString &entry : control(QStringLiteral("Depends")).split(QLatin1Char(',')))
        depends << entry.trimmed().section(QLatin1Char(' '), 0, 0);
    // From the binary: Qt's widgets, the library that holds the X11 platform plugin, which the
    // program loads at run time, and CUPS's library, through which it prints.
    for (const char *package : {"libqt6widgets6", "libqt6gui6", "libcups2", "libgsf-1-114",
             "libzint2.11", "fonts-wqy-microhei", "qt6-translations-l10n"})
        QVERIFY2(depends.contains(QString::fromLatin1(package)),
            qPrintable(QStringLiteral("%1 missing from %2").arg(package, depends.join(", "))));
    // The test suite's own tools stay out.
    for (const QString &package : std::as_const(depends)) {
        QVERIFY2(!package.contains(QRegularExpression(
                     QStringLiteral("zxing|poppler|xvfb|cups-pdf|python|qt6-base-dev"))),
            qPrintable(package));
    }
}

void PackageTest::carriesTheProgramItsDesktopFilesAndDocumentation()
{
    const QString id = QStringLiteral(TAGLOOM_APP_ID);
    for (const QString &path :
        {QStringLiteral("usr/bin/tagloom"), QStringLiteral("usr/libexec/tagloom/tagloom-gui"),
            QStringLiteral("usr/share/applications/%1.desktop").arg(id),
            QStringLiteral("usr/share/metainfo/%1.metainfo.xml").arg(id),
            QStringLiteral("usr/share/man/man1/tagloom.1.gz"),
            QStringLiteral("usr/share/doc/tagloom/copyright"),
            QStringLiteral("usr/share/doc/tagloom/changelog.gz"),
            QStringLiteral("usr/share/tagloom/examples/example.ini"),
            QStringLiteral("usr/share/tagloom/examples/label.png"),
            QStringLiteral("usr/share/tagloom/examples/products.xls")})
        QVERIFY2(QFile::exists(installed(path)), qPrintable(path));

    // Every icon is the size its folder promises: a desktop picks them by that.
    for (int size : {16, 32, 48, 128, 256}) {
        const QString path
            = QStringLiteral("usr/share/icons/hicolor/%1x%1/apps/tagloom.png").arg(size);
        QCOMPARE(QImage(installed(path)).size(), QSize(size, size));
    }
}

void PackageTest::lintianFindsNoErrorsOrWarnings()
{
    const Run lintian = run(QStringLiteral("lintian"),
        {QStringLiteral("--fail-on"), QStringLiteral("error,warning"), deb_});
    qInfo("%s", lintian.out.constData());
    QVERIFY2(lintian.exitCode == 0, qPrintable(lintian.text()));
}

void PackageTest::desktopEntryAndMetadataValidate()
{
    const Run entry = run(QStringLiteral("desktop-file-validate"),
        {installed(QStringLiteral("usr/share/applications/%1.desktop")
                       .arg(QStringLiteral(TAGLOOM_APP_ID)))});
    QVERIFY2(entry.exitCode == 0 && !entry.text().contains(QLatin1String("warning")),
        qPrintable(entry.text()));

    // The whole tree: the metadata, and the desktop entry it launches.
    const Run metadata = run(QStringLiteral("appstreamcli"),
        {QStringLiteral("validate-tree"), QStringLiteral("--no-net"), root_.path()});
    QVERIFY2(metadata.exitCode == 0, qPrintable(metadata.text()));
}

void PackageTest::manualPageRendersWithoutWarnings()
{
    const Run man = run(QStringLiteral("man"),
        {QStringLiteral("--warnings"), QStringLiteral("-l"),
            installed(QStringLiteral("usr/share/man/man1/tagloom.1.gz"))},
        manEnvironment(80));
    QVERIFY2(man.exitCode == 0 && man.err.isEmpty(), man.err.constData());
    QVERIFY2(man.out.startsWith("TAGLOOM(1)"), man.out.left(200).constData());
}

void PackageTest::manualPageDescribesEveryOptionOfTheHelp()
{
    const Run help = run(program(), {QStringLiteral("--help")}, userEnvironment());
    QCOMPARE(help.exitCode, 0);
    const QString helpText = QString::fromUtf8(help.out);
    QStringList options;
    for (const QRegularExpressionMatch &match :
        QRegularExpression(QStringLiteral("(?<![\\w-])--?[a-z][a-z-]*")).globalMatch(helpText))
        options.append(match.captured());
    options.removeDuplicates();
    QStringList commands;
    for (const QRegularExpressionMatch &match :
        QRegularExpression(QStringLiteral("tagloom ([a-z]+)")).globalMatch(helpText))
        commands.append(match.captured(1));
    commands.removeDuplicates();
    QVERIFY2(options.contains(QLatin1String("--help")) && commands.contains(QLatin1String("print")),
        qPrintable(helpText));

    // Wide lines: nothing is hyphenated at a line end.
    const QString page = manualPage(1000);
    const QString optionsSection = manSection(page, QStringLiteral("OPTIONS"));
    for (const QString &option : std::as_const(options))
        QVERIFY2(containsWord(optionsSection, option),
            qPrintable(QStringLiteral("%1 is not in OPTIONS:\n%2").arg(option, optionsSection)));
    const QString commandsSection = manSection(page, QStringLiteral("COMMANDS"));
    for (const QString &command : std::as_const(commands))
        QVERIFY2(containsWord(commandsSection, command),
            qPrintable(QStringLiteral("%1 is not in COMMANDS:\n%2").arg(command, commandsSection)));
}

void PackageTest::unpackedProgramWritesATable()
{
    const QString workbook = fixture(QStringLiteral("xls/sheetjs_chinese.xls"));
    QFile expected(fixture(QStringLiteral("xls/sheetjs_chinese.tsv")));
    QVERIFY(expected.open(QIODevice::ReadOnly));
    const Run table = run(program(), {QStringLiteral("table"), workbook}, userEnvironment());
    QVERIFY2(table.exitCode == 0 && table.err.isEmpty(), table.err.constData());
    QCOMPARE(table.out, expected.readAll());
}

void PackageTest::unpackedProgramHandsTheWindowsToItsWindowProgram()
{
    // The batch commands load no widgets; the window program beside them does.
    const auto loadsWidgets = [](const QString &binary) {
        return run(QStringLiteral("ldd"), {binary}).out.contains("libQt6Widgets");
    };
    QVERIFY(!loadsWidgets(program()));
    QVERIFY(loadsWidgets(installed(QStringLiteral("usr/libexec/tagloom/tagloom-gui"))));
    // Only the window program refuses a second layout, once its application has started: this
    // one found it where the package put it.
    QProcessEnvironment environment = userEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Run windows
        = run(program(), {QStringLiteral("a.ini"), QStringLiteral("b.ini")}, environment);
    QCOMPARE(windows.exitCode, 2);
    QVERIFY2(windows.text().contains(QStringLiteral("只能给出一个布局文件")),
        qPrintable(windows.text()));
}

void PackageTest::unpackedProgramPrintsItsOwnExample()
{
    const QString examples = installed(QStringLiteral("usr/share/tagloom/examples"));
    const Run table = run(program(),
        {QStringLiteral("table"), QDir(examples).filePath(QStringLiteral("products.xls"))},
        userEnvironment());
    QCOMPARE(table.exitCode, 0);
    QList<QStringList> rows;
    for (const QByteArray &line : table.out.trimmed().split('\n'))
        rows.append(QString::fromUtf8(line).split(QLatin1Char('\t')));
    rows.removeFirst(); // the headers

    const QString pdf = scratch_.filePath(QStringLiteral("example.pdf"));
    const Run print = run(program(),
        {QStringLiteral("print"), QDir(examples).filePath(QStringLiteral("example.ini")),
            QStringLiteral("--pdf"), pdf},
        userEnvironment());
    QVERIFY2(print.exitCode == 0 && print.err.isEmpty(), print.err.constData());
    QCOMPARE(pdfPageCount(pdf), int(rows.size()));
    // The example's barcode shows the item number (column 1), its QR code the web address
    // (column 6).
    for (int page = 1; page <= rows.size(); ++page) {
        const QStringList &row = rows[page - 1];
        const QImage image = renderPdfPage(pdf, page, 200);
        QCOMPARE(decodeCode128(image), row[1]);
        QCOMPARE(decodeQr(image), row[6]);
    }
}

QTEST_GUILESS_MAIN(PackageTest)
#include "PackageTest.moc"
