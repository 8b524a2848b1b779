#include "CommandLine.h"

#include "BatchDialogs.h"
#include "Form1.h"
#include "Forms.h"
#include "QtDialogProvider.h"
#include "Workspace.h"
#include "data/DataTable.h"
#include "data/DataTableTsv.h"
#include "data/WorkbookImport.h"
#include "layout/LayoutLoader.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "print/PrinterOutput.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace tagloom {

namespace {

constexpr int exitOk = 0;
constexpr int exitFailure = 1;
constexpr int exitUsage = 2;

void printTo(FILE *stream, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stream);
    std::fflush(stream);
}

int usageError(const QString &message)
{
    printTo(stderr, QStringLiteral("tagloom: %1\n请运行 tagloom --help 查看用法。\n").arg(message));
    return exitUsage;
}

QString helpText()
{
    return QStringLiteral(
        "用法: tagloom [LAYOUT.ini]\n"
        "      tagloom table FILE.xls\n"
        "      tagloom print LAYOUT.ini [--from N] [--to M] [--pdf OUT.pdf | --printer NAME]\n"
        "      tagloom --help | --version\n"
        "\n"
        "批量打印标签: 一张标签图片, 一个 Excel 97-2003 工作簿 (工作表 sheet1), 每行数据打印一张标签。\n"
        "\n"
        "命令:\n"
        "  (无)               打开程序窗口; 给出布局文件时先导入该布局\n"
        "  table FILE.xls     把工作簿的数据表以制表符分隔的 UTF-8 文本写到标准输出\n"
        "  print LAYOUT.ini   按布局文件打印标签, 每行数据一张, 不需要显示器\n"
        "\n"
        "print 的选项:\n"
        "      --from N       从第 N 行开始 (默认 1)\n"
        "      --to M         打印到第 M 行 (默认最后一行)\n"
        "      --pdf OUT.pdf  写成 PDF 文件, 每张标签一页, 页面与标签同样大小\n"
        "      --printer NAME 送到指定的打印机 (默认: 系统默认打印机)\n"
        "\n"
        "选项:\n"
        "  -h, --help         显示本帮助并退出\n"
        "      --version      显示版本并退出\n"
        "\n"
        "退出状态: 0 成功; 1 文件无法导入或打印失败; 2 用法错误。\n");
}

int runTable(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(2);
    if (arguments.size() != 1)
        return usageError(QStringLiteral("table 需要且只需要一个工作簿文件"));
    const QString &path = arguments.first();

    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    workspace.panel().setDataFilePath(path);
    QString reason;
    if (!WorkbookImport::run(workspace, &reason)) {
        printTo(stderr, QStringLiteral("tagloom table: %1: %2\n").arg(path, reason));
        return exitFailure;
    }
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly) || out.write(DataTableTsv::write(workspace.dataTable())) < 0
        || !out.flush()) {
        printTo(stderr, QStringLiteral("tagloom table: 无法写出标准输出\n"));
        return exitFailure;
    }
    return exitOk;
}

// Batch jobs often run without a desktop session, where Qt notes on standard error that it falls
// back to a runtime folder of its own; scripts reading our errors should see only ours.
QtMessageHandler standardMessageHandler = nullptr;

void quietAboutRuntimeFolder(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        standardMessageHandler(type, context, message);
}

// tagloom print LAYOUT.ini [--from N] [--to M] [--pdf OUT.pdf | --printer NAME]
int runPrint(int argc, char *argv[])
{
    // Printing needs fonts and painting, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standardMessageHandler = qInstallMessageHandler(quietAboutRuntimeFolder);
    QApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(2);
    QString layout;
    std::optional<QString> from;
    std::optional<QString> to;
    QString pdf;
    QString printer;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        const bool takesValue = argument == QLatin1String("--from") || argument == QLatin1String("--to")
                                || argument == QLatin1String("--pdf") || argument == QLatin1String("--printer");
        if (takesValue && arguments.isEmpty())
            return usageError(QStringLiteral("%1 需要一个值").arg(argument));
        if (argument == QLatin1String("--from"))
            from = arguments.takeFirst();
        else if (argument == QLatin1String("--to"))
            to = arguments.takeFirst();
        else if (argument == QLatin1String("--pdf"))
            pdf = arguments.takeFirst();
        else if (argument == QLatin1String("--printer"))
            printer = arguments.takeFirst();
        else if (argument.startsWith(QLatin1Char('-')))
            return usageError(QStringLiteral("未知选项 %1").arg(argument));
        else if (layout.isEmpty())
            layout = argument;
        else
            return usageError(QStringLiteral("只能给出一个布局文件"));
    }
    if (layout.isEmpty())
        return usageError(QStringLiteral("print 需要一个布局文件"));
    if (!pdf.isEmpty() && !printer.isEmpty())
        return usageError(QStringLiteral("--pdf 和 --printer 只能选一个"));

    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    QString reason;
    if (!LayoutLoader::load(workspace, layout, &reason)) {
        printTo(stderr, QStringLiteral("tagloom print: %1: 布局没有完整导入：%2\n").arg(layout, reason));
        return exitFailure;
    }
    if (from)
        workspace.panel().setRangeText(MainPanel::FirstRow, *from);
    if (to)
        workspace.panel().setRangeText(MainPanel::LastRow, *to);

    const std::unique_ptr<PrinterOutput> output = pdf.isEmpty() ? PrinterOutput::forPrinter(printer)
                                                                : PrinterOutput::forPdf(pdf);
    SilentProgress progress;
    const PrintRun::Result result = PrintRun(workspace, *output, progress).run();
    if (result.outcome != PrintRun::Outcome::Printed) {
        printTo(stderr, QStringLiteral("tagloom print: %1\n").arg(dialogs.errors().value(0, QStringLiteral("打印没有完成"))));
        return exitFailure;
    }
    return exitOk;
}

int runWindows(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() > 1)
        return usageError(QStringLiteral("只能给出一个布局文件"));

    // The interface is Chinese: Qt's own dialogs and buttons too.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts);

    QtDialogProvider dialogs;
    Workspace workspace(dialogs);
    Forms forms(workspace);
    QObject::connect(forms.form1(), &Form1::closed, &app, &QCoreApplication::quit);
    forms.showMainWindow();
    if (!arguments.isEmpty())
        forms.form1()->loadLayout(arguments.first());
    return QApplication::exec();
}

} // namespace

int CommandLine::run(int argc, char *argv[])
{
    const QByteArray command = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (command == "table")
        return runTable(argc, argv);
    if (command == "print")
        return runPrint(argc, argv);
    if (command == "-h" || command == "--help") {
        printTo(stdout, helpText());
        return exitOk;
    }
    if (command == "--version") {
        printTo(stdout, QStringLiteral("tagloom %1\n").arg(QLatin1String(TAGLOOM_VERSION)));
        return exitOk;
    }
    if (command.startsWith('-'))
        return usageError(QStringLiteral("未知选项 %1").arg(QString::fromLocal8Bit(command)));
    return runWindows(argc, argv);
}

} // namespace tagloom
