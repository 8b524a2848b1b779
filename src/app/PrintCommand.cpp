// The print command: options, the layout load (with the data file or picture given at run time
// in place of the layout's), the print run with the confirmation answered yes.
#include "PrintCommand.h"

#include "BatchDialogs.h"
#include "ConsoleText.h"
#include "Workspace.h"
#include "layout/LayoutLoader.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "print/PrinterOutput.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

namespace tagloom {

namespace {

struct PrintOptions
{
    QString layout;
    std::optional<QString> from;
    std::optional<QString> to;
    std::optional<QString> pdf;
    std::optional<QString> printer;
    std::optional<QString> data;
    std::optional<QString> picture;
};

// The options, or nothing with the usage problem in `problem`.
std::optional<PrintOptions> parse(QStringList arguments, QString *problem)
{
    static const std::pair<QLatin1String, std::optional<QString> PrintOptions::*> valued[] = {
        {QLatin1String("--from"), &PrintOptions::from},
        {QLatin1String("--to"), &PrintOptions::to},
        {QLatin1String("--pdf"), &PrintOptions::pdf},
        {QLatin1String("--printer"), &PrintOptions::printer},
        {QLatin1String("--data"), &PrintOptions::data},
        {QLatin1String("--picture"), &PrintOptions::picture},
    };
    PrintOptions options;
    while (!arguments.isEmpty()) {
        const QString argument = arguments.takeFirst();
        const auto option = std::find_if(std::begin(valued), std::end(valued),
            [&argument](const auto &known) { return argument == known.first; });
        if (option != std::end(valued)) {
            if (arguments.isEmpty() || arguments.first().isEmpty()) {
                *problem = QStringLiteral("%1 需要一个值").arg(argument);
                return std::nullopt;
            }
            options.*(option->second) = arguments.takeFirst();
        } else if (argument.startsWith(QLatin1Char('-'))) {
            *problem = QStringLiteral("未知选项 %1").arg(argument);
            return std::nullopt;
        } else if (options.layout.isEmpty()) {
            options.layout = argument;
        } else {
            *problem = QStringLiteral("只能给出一个布局文件");
            return std::nullopt;
        }
    }
    if (options.layout.isEmpty())
        *problem = QStringLiteral("print 需要一个布局文件");
    else if (options.pdf && options.printer)
        *problem = QStringLiteral("--pdf 和 --printer 只能选一个");
    else
        return options;
    return std::nullopt;
}

// Batch jobs often run without a desktop session, where Qt notes on standard error that it falls
// back to a runtime folder of its own; scripts reading our errors should see only ours.
QtMessageHandler standardMessageHandler = nullptr;

void quietAboutRuntimeFolder(
    QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (!message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        standardMessageHandler(type, context, message);
}

// A path given on the command line, taken from the current folder.
std::optional<QString> absolute(const std::optional<QString> &path)
{
    if (!path) return std::nullopt;
    return QFileInfo(*path).absoluteFilePath();
}

// Standard input copied into a file that the import reads as CSV, like any data file.
std::optional<QString> copyStandardInput(const QTemporaryDir &folder)
{
    QFile in;
    QFile out(folder.filePath(QStringLiteral("stdin.csv")));
    if (!in.open(stdin, QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        return std::nullopt;
    for (QByteArray chunk; !(chunk = in.read(1 << 20)).isEmpty();) {
        if (out.write(chunk) != chunk.size()) return std::nullopt;
    }
    if (in.error() != QFileDevice::NoError || !out.flush()) return std::nullopt;
    return out.fileName();
}

} // namespace

int PrintCommand::run(int argc, char *argv[])
{
    // Printing needs fonts and painting, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    standardMessageHandler = qInstallMessageHandler(quietAboutRuntimeFolder);
    QApplication app(argc, argv);
    QString problem;
    const std::optional<PrintOptions> options
        = parse(QCoreApplication::arguments().mid(2), &problem);
    if (!options) return ConsoleText::usageError(problem);

    LayoutFileOverrides overrides {absolute(options->picture), absolute(options->data)};
    const QTemporaryDir standardInputFolder;
    if (options->data == QLatin1String("-")) {
        overrides.dataPath = copyStandardInput(standardInputFolder);
        if (!overrides.dataPath) {
            ConsoleText::write(stderr, QStringLiteral("tagloom print: 无法读取标准输入\n"));
            return exitFailure;
        }
    }

    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    QString reason;
    if (!LayoutLoader::load(workspace, options->layout, &reason, overrides)) {
        ConsoleText::write(stderr,
            QStringLiteral("tagloom print: %1: 布局没有完整导入：%2\n")
                .arg(options->layout, reason));
        return exitFailure;
    }
    if (options->from) workspace.panel().setRangeText(MainPanel::FirstRow, *options->from);
    if (options->to) workspace.panel().setRangeText(MainPanel::LastRow, *options->to);

    const std::unique_ptr<PrinterOutput> output = options->pdf
        ? PrinterOutput::forPdf(*options->pdf)
        : PrinterOutput::forPrinter(options->printer.value_or(QString()));
    SilentProgress progress;
    const PrintRun::Result result = PrintRun(workspace, *output, progress).run();
    if (result.outcome != PrintRun::Outcome::Printed) {
        ConsoleText::write(stderr, QStringLiteral("tagloom print: %1\n").arg(result.message));
        return exitFailure;
    }
    return exitOk;
}

} // namespace tagloom
