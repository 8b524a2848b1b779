// The print command: options, the layout load (with the data file or picture given at run time
// in place of the layout's), the print run with the confirmation answered yes.
#include "PrintCommand.h"

#include "BatchDialogs.h"
#include "ConsoleText.h"
#include "StandardInputCopy.h"
#include "Workspace.h"
#include "canvas/NumberText.h"
#include "layout/LayoutLoader.h"
#include "print/DirectPrinter.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "print/PrintSettings.h"
#include "print/PrinterChoice.h"
#include "print/TemporaryFolder.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <csignal>
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
    std::optional<QString> copies;
    std::optional<QString> offset;
    std::optional<QString> scale;
    std::optional<QString> quantityColumn;
    std::optional<QString> direct;
    std::optional<QString> dpi;
    std::optional<QString> gap;
};

// What the options ask of the run, checked.
struct RunRequest
{
    int copies = 1;
    std::optional<QPointF> offsetMm;
    std::optional<double> scalePercent;
    std::optional<DirectPrinter> direct;
};

std::optional<double> numberWithin(const QString &text, double lowest, double highest)
{
    const std::optional<double> value = NumberText::toDouble(text);
    if (!value || *value < lowest || *value > highest) return std::nullopt;
    return value;
}

// The run the options ask for, or nothing with the usage problem in `problem`.
std::optional<RunRequest> request(const PrintOptions &options, QString *problem)
{
    RunRequest run;
    if (options.copies) {
        const std::optional<double> copies = numberWithin(*options.copies, 1, PrintRun::mostCopies);
        if (!copies || *copies != std::floor(*copies)) {
            *problem = QStringLiteral("--copies 需要1到%1之间的整数").arg(PrintRun::mostCopies);
            return std::nullopt;
        }
        run.copies = static_cast<int>(*copies);
    }
    if (options.offset) {
        const double largest = Calibration::largestOffsetMm;
        const QStringList parts = options.offset->split(QLatin1Char(','));
        const std::optional<double> x
            = parts.size() == 2 ? numberWithin(parts[0], -largest, largest) : std::nullopt;
        const std::optional<double> y
            = parts.size() == 2 ? numberWithin(parts[1], -largest, largest) : std::nullopt;
        if (!x || !y) {
            *problem = QStringLiteral(
                "--offset 需要用逗号分开的两个毫米数（如 1.5,-0.5），各在-%1到%1之间")
                           .arg(largest);
            return std::nullopt;
        }
        run.offsetMm = QPointF(*x, *y);
    }
    if (options.scale) {
        run.scalePercent = numberWithin(
            *options.scale, Calibration::smallestScalePercent, Calibration::largestScalePercent);
        if (!run.scalePercent) {
            *problem = QStringLiteral("--scale 需要%1到%2之间的百分数")
                           .arg(Calibration::smallestScalePercent)
                           .arg(Calibration::largestScalePercent);
            return std::nullopt;
        }
    }
    if (options.direct) {
        run.direct = DirectPrinter::fromText(*options.direct, problem);
        if (!run.direct) {
            *problem = QStringLiteral("--direct：%1").arg(*problem);
            return std::nullopt;
        }
        const std::optional<double> dpi = options.dpi
            ? numberWithin(
                *options.dpi, DirectPrinter::lowestDotsPerInch, DirectPrinter::highestDotsPerInch)
            : run.direct->dotsPerInch;
        if (!dpi || *dpi != std::floor(*dpi)) {
            *problem = QStringLiteral("--dpi 需要%1到%2之间的整数（如 203 或 300）")
                           .arg(DirectPrinter::lowestDotsPerInch)
                           .arg(DirectPrinter::highestDotsPerInch);
            return std::nullopt;
        }
        run.direct->dotsPerInch = static_cast<int>(*dpi);
        const std::optional<double> gap = options.gap
            ? numberWithin(*options.gap, 0, DirectPrinter::largestGapMm)
            : run.direct->gapMm;
        if (!gap) {
            *problem
                = QStringLiteral("--gap 需要0到%1之间的毫米数").arg(DirectPrinter::largestGapMm);
            return std::nullopt;
        }
        run.direct->gapMm = *gap;
    } else if (options.dpi || options.gap) {
        *problem = QStringLiteral("--dpi 和 --gap 只用于 --direct");
        return std::nullopt;
    }
    if (options.pdf && (options.offset || options.scale)) {
        *problem = QStringLiteral("--offset 和 --scale 只用于打印机，PDF 不校准");
        return std::nullopt;
    }
    // A reversed range prints nothing: asked for on the command line, it is a mistake to say.
    const std::optional<double> from
        = options.from ? NumberText::toDouble(*options.from) : std::nullopt;
    const std::optional<double> to = options.to ? NumberText::toDouble(*options.to) : std::nullopt;
    if (from && to && *from > *to) {
        *problem = QStringLiteral("--from %1 比 --to %2 大，没有要打印的行")
                       .arg(*options.from, *options.to);
        return std::nullopt;
    }
    return run;
}

// The printer's stored calibration, with what the options override for this run.
Calibration calibrationFor(const QString &printer, const RunRequest &run)
{
    Calibration calibration = PrintSettings::calibration(printer);
    if (run.offsetMm) calibration.offsetMm = *run.offsetMm;
    if (run.scalePercent) calibration.scalePercent = *run.scalePercent;
    return calibration;
}

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
        {QLatin1String("--copies"), &PrintOptions::copies},
        {QLatin1String("--offset"), &PrintOptions::offset},
        {QLatin1String("--scale"), &PrintOptions::scale},
        {QLatin1String("--quantity-column"), &PrintOptions::quantityColumn},
        {QLatin1String("--direct"), &PrintOptions::direct},
        {QLatin1String("--dpi"), &PrintOptions::dpi},
        {QLatin1String("--gap"), &PrintOptions::gap},
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
    else if (int(options.pdf.has_value()) + int(options.printer.has_value())
            + int(options.direct.has_value())
        > 1)
        *problem = QStringLiteral("--pdf、--printer 和 --direct 只能选一个");
    else
        return options;
    return std::nullopt;
}

// A path given on the command line, taken from the current folder.
std::optional<QString> absolute(const std::optional<QString> &path)
{
    if (!path) return std::nullopt;
    return QFileInfo(*path).absoluteFilePath();
}

// Interrupted (Ctrl+C) or told to end (kill), a run stops as the progress dialog's Cancel stops
// it: the labels drawn go out and the message says how many. A second signal is handled as before
// the run: the temporary folders go and the program ends.
class StopOnSignal : public PrintProgress
{
public:
    StopOnSignal()
    {
        stopAsked = 0;
        struct sigaction stop
        {
        };
        stop.sa_handler = [](int signal) {
            if (stopAsked == 0) {
                stopAsked = 1;
                return;
            }
            sigaction(signal, &before[signal == SIGINT ? 0 : 1], nullptr);
            raise(signal);
        };
        stop.sa_flags = SA_RESTART;
        sigemptyset(&stop.sa_mask);
        sigaction(SIGINT, &stop, &before[0]);
        sigaction(SIGTERM, &stop, &before[1]);
    }
    ~StopOnSignal() override
    {
        sigaction(SIGINT, &before[0], nullptr);
        sigaction(SIGTERM, &before[1], nullptr);
    }
    StopOnSignal(const StopOnSignal &) = delete;
    StopOnSignal &operator=(const StopOnSignal &) = delete;

    bool advance(int, int) override { return stopAsked == 0; }

private:
    static inline volatile std::sig_atomic_t stopAsked = 0;
    static inline struct sigaction before[2] {}; // SIGINT's and SIGTERM's handling before the run
};

} // namespace

int PrintCommand::run(int argc, char *argv[])
{
    // A run that is killed removes its temporary files.
    TemporaryFolder::removeAllOnTermination();
    // Printing needs fonts and painting, not a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ConsoleText::keepQtNotesOff();
    QGuiApplication app(argc, argv);
    QString problem;
    const std::optional<PrintOptions> options
        = parse(QCoreApplication::arguments().mid(2), &problem);
    const std::optional<RunRequest> run = options ? request(*options, &problem) : std::nullopt;
    if (!run) return ConsoleText::usageError(problem);

    LayoutFileOverrides overrides {absolute(options->picture), absolute(options->data)};
    std::optional<StandardInputCopy> standardInput;
    if (options->data == QLatin1String("-")) {
        if (!standardInput.emplace().copy(&problem)) {
            ConsoleText::error(QStringLiteral("tagloom print: %1").arg(problem));
            return exitFailure;
        }
        overrides.dataPath = standardInput->path();
    }

    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    QString reason;
    if (!LayoutLoader::load(workspace, options->layout, &reason, overrides)) {
        ConsoleText::error(
            QStringLiteral("tagloom print: %1: 布局没有完整导入：%2").arg(options->layout, reason));
        return exitFailure;
    }
    MainPanel &panel = workspace.panel();
    if (options->from) panel.setRangeText(MainPanel::FirstRow, *options->from);
    if (options->to) panel.setRangeText(MainPanel::LastRow, *options->to);
    // Without --to the range ends at the last row. A first row past it would print nothing and
    // leave an older PDF looking new: the run is asked for that row and refuses it, naming the rows
    // there are, as it does a --to past the end.
    const std::optional<double> from
        = options->from ? NumberText::toDouble(*options->from) : std::nullopt;
    const std::optional<double> last = NumberText::toDouble(panel.rangeText(MainPanel::LastRow));
    if (!options->to && from && last && *from > *last)
        panel.setRangeText(MainPanel::LastRow, *options->from);
    if (options->quantityColumn) panel.setQuantityColumn(*options->quantityColumn);

    std::unique_ptr<LabelOutput> output;
    if (options->pdf) {
        output = std::make_unique<PdfFileOutput>(*options->pdf);
    } else {
        const PrinterChoice printer = run->direct
            ? PrinterChoice::direct(*run->direct)
            : PrinterChoice::cupsQueue(options->printer.value_or(QString()));
        output = printer.output(calibrationFor(printer.name(), *run));
    }
    StopOnSignal progress;
    PrintRun printRun(workspace, *output, progress, run->copies);
    const PrintRun::Result result = printRun.run();
    if (result.outcome != PrintRun::Outcome::Printed) {
        ConsoleText::error(QStringLiteral("tagloom print: %1").arg(result.message));
        return exitFailure;
    }
    if (!printRun.warning().isEmpty()) {
        // One line, as every message of the command's.
        QString warning = printRun.warning();
        warning.replace(QStringLiteral("：\n"), QStringLiteral("："))
            .replace('\n', QStringLiteral("；"));
        ConsoleText::write(stderr, QStringLiteral("tagloom print: 警告：%1\n").arg(warning));
    }
    return exitOk;
}

} // namespace tagloom
