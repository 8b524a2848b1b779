// tagloom-bench: measures the program's heavy work and prints a table of figures.
//   tagloom-bench [BIG.xls]   runs every case, each in a fresh process (BIG.xls: a 65,535-row
//                             workbook; made with tests/fixtures/xls/make_big_xls.py when absent)
//   tagloom-bench --printing  runs the print cases alone
// The large .xlsx (200,000 rows, tests/fixtures/formats/make_big_xlsx.py, which needs
// python3-xlsxwriter) is made every time, and converted by Gnumeric's ssconvert to .ods and .csv;
// ssconvert's own conversion of each to CSV is measured in the same run, for comparison.
#include "BenchCases.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

struct Measure
{
    bool ok = false;
    double wallSeconds = 0;
    double caseSeconds = -1; // what the case timed itself, when it did
    long peakKilobytes = 0;
    QString detail;
};

// Runs a case to its end: its wall time, and what it reports of itself (time, peak memory, detail).
Measure measure(const QStringList &command)
{
    QTemporaryDir folder;
    const QByteArray outPath = folder.filePath(QStringLiteral("out")).toLocal8Bit();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(
        &actions, 1, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<QByteArray> args;
    for (const QString &argument : command)
        args.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    Measure result;
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) return result;
    int status = 0;
    rusage usage {};
    wait4(child, &status, 0, &usage);
    result.peakKilobytes = usage.ru_maxrss; // unless the case reports its own
    result.wallSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    posix_spawn_file_actions_destroy(&actions);
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QFile out(QString::fromLocal8Bit(outPath));
    if (out.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = out.readAll().trimmed().split('\t');
        if (fields.size() == 3) {
            result.caseSeconds = fields[0].toDouble();
            result.peakKilobytes = fields[1].toLong();
            result.detail = QString::fromUtf8(fields[2]);
        }
    }
    return result;
}

void row(const char *what, const Measure &m, bool useCaseTime = true)
{
    if (!m.ok) {
        std::printf("| %-52s | %10s | %9s | %s\n", what, "FAILED", "", qPrintable(m.detail));
        return;
    }
    const double seconds = useCaseTime && m.caseSeconds >= 0 ? m.caseSeconds : m.wallSeconds;
    const QString time = seconds < 0.001 ? QStringLiteral("%1 µs").arg(seconds * 1e6, 0, 'f', 1)
                                         : QStringLiteral("%1 s").arg(seconds, 0, 'f', 3);
    std::printf("| %-52s | %10s | %6.0f MB | %s |\n", what, qPrintable(time),
        static_cast<double>(m.peakKilobytes) / 1024.0, qPrintable(m.detail));
}

// The example label, 1,000 and 10,000 rows, on a ZPL label printer through CUPS's own driver, each
// case on a queue of its own whose printer the case itself plays on 127.0.0.1. Needs root and a
// running CUPS scheduler.
template<typename BenchCase>
void labelPrinterRuns(const QTemporaryDir &scratch, const BenchCase &benchCase)
{
    const QString data = scratch.filePath(QStringLiteral("rows.csv"));
    QFile csv(data);
    if (!csv.open(QIODevice::WriteOnly)) return;
    csv.write("货号,品名,规格,产地,价格,网址\n");
    for (int row = 1; row <= 10000; ++row)
        csv.write(QStringLiteral("QM-%1,样品%2,%3 ml,福建德化,¥%4.00,https://example.com/p/QM-%1\n")
                      .arg(2000 + row)
                      .arg(row)
                      .arg(100 + row % 400)
                      .arg(row % 500)
                      .toUtf8());
    csv.close();
    for (const int rows : {1000, 10000}) {
        const QString queue = QStringLiteral("TagloomBench%1-%2").arg(getpid()).arg(rows);
        Measure run
            = benchCase({QStringLiteral("label-printer"), QString::number(rows), data, queue});
        if (!run.ok && run.detail.isEmpty()) run.detail = QStringLiteral("needs root and cupsd");
        row(qPrintable(QStringLiteral("example label, %1 rows, ZPL printer through CUPS")
                           .arg(QLocale::c().toString(rows))),
            run);
    }
}

// The print runs: to PDF beside a minimal writer of the same pages, and to a label printer.
template<typename BenchCase>
void printRuns(const QTemporaryDir &scratch, const BenchCase &benchCase)
{
    Measure minimal = benchCase({QStringLiteral("minimal-pdf"), QStringLiteral("10000"),
        scratch.filePath(QStringLiteral("minimal.pdf"))});
    Measure pdf = benchCase({QStringLiteral("print"), QStringLiteral("10000"),
        scratch.filePath(QStringLiteral("labels.pdf"))});
    if (pdf.ok && minimal.ok)
        pdf.detail += QStringLiteral(", %1 times the minimal writer's time")
                          .arg(pdf.caseSeconds / minimal.caseSeconds, 0, 'f', 2);
    row("print run 10,000 labels to PDF", pdf);
    row("minimal PDF writer, the same 10,000 pages", minimal);
    labelPrinterRuns(scratch, benchCase);
}

void printHeader()
{
    std::printf("| %-52s | %10s | %9s | %s |\n", "case", "time", "peak mem", "detail");
    std::printf("|%s|%s|%s|%s|\n", "------------------------------------------------------",
        "------------", "-----------", "---");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 2 && QByteArray(argv[1]) == "--case")
        return tagloom::bench::runCase(argc - 2, argv + 2);

    QCoreApplication app(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    const QString self = QCoreApplication::applicationFilePath();
    auto benchCase = [&](const QStringList &arguments) {
        return measure(QStringList {self, QStringLiteral("--case")} + arguments);
    };
    if (QCoreApplication::arguments().value(1) == QLatin1String("--printing")) {
        printHeader();
        printRuns(scratch, benchCase);
        return 0;
    }

    QString big = QCoreApplication::arguments().value(1);
    if (big.isEmpty()) {
        big = scratch.filePath(QStringLiteral("big.xls"));
        std::printf("making a 65,535-row workbook...\n");
        std::fflush(stdout);
        QProcess::execute(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(TAGLOOM_SOURCE_DIR "/tests/fixtures/xls/make_big_xls.py"), big,
                scratch.filePath(QStringLiteral("big.tsv"))});
    }
    // The large workbook and its .ods and .csv forms.
    const QString bigXlsx = scratch.filePath(QStringLiteral("big.xlsx"));
    std::printf("making a 200,000-row .xlsx and its .ods and .csv forms...\n");
    std::fflush(stdout);
    QProcess::execute(QStringLiteral("/usr/bin/python3"),
        {QStringLiteral(TAGLOOM_SOURCE_DIR "/tests/fixtures/formats/make_big_xlsx.py"), bigXlsx,
            scratch.filePath(QStringLiteral("big-xlsx.tsv"))});
    QStringList bigFiles = {bigXlsx};
    for (const char *suffix : {"ods", "csv"}) {
        const QString converted = scratch.filePath(QStringLiteral("big.") + suffix);
        QProcess::execute(QStringLiteral("ssconvert"), {bigXlsx, converted});
        bigFiles << converted;
    }

    printHeader();
    row("workbook import 65,535 x 10, grid and fitting",
        benchCase({QStringLiteral("import"), big}));
    Measure table = benchCase({QStringLiteral("table"), big});
    table.detail = QStringLiteral("whole process, output thrown away");
    row("tagloom table on it", table, false);
    for (const QString &file : bigFiles) {
        const QString suffix = QFileInfo(file).suffix();
        Measure ours = benchCase({QStringLiteral("table"), file});
        ours.detail = QStringLiteral("whole process, output thrown away");
        row(qPrintable(QStringLiteral("tagloom table, 200,000 x 10 .%1").arg(suffix)), ours, false);
        Measure gnumeric = measure({QStringLiteral("/usr/bin/ssconvert"), file,
            scratch.filePath(QStringLiteral("ssconvert-%1.csv").arg(suffix))});
        gnumeric.detail = QStringLiteral("to CSV; tagloom table takes %1 of its time")
                              .arg(ours.wallSeconds / gnumeric.wallSeconds, 0, 'f', 3);
        row(qPrintable(QStringLiteral("ssconvert, same .%1").arg(suffix)), gnumeric, false);
    }
    row("window import 200,000 x 10 .xlsx, grid and fitting",
        benchCase({QStringLiteral("import"), bigXlsx}));
    row("field item generation, 256 columns",
        benchCase({QStringLiteral("fields"), QStringLiteral("256")}));
    row("QR code encode", benchCase({QStringLiteral("qr"), QStringLiteral("10000")}));
    row("layout load and save (the example)",
        benchCase(
            {QStringLiteral("layout"), QStringLiteral(TAGLOOM_SOURCE_DIR "/examples/example.ini"),
                scratch.filePath(QStringLiteral("saved.ini"))}));
    printRuns(scratch, benchCase);
    Measure startUp = benchCase({QStringLiteral("startup")});
    startUp.detail = QStringLiteral("process start to main window drawn, and exit");
    row("start-up to the main window", startUp, false);
    return 0;
}
