// The benchmark's cases: each sets up its work, times it and reports one line.
#include "BenchCases.h"

#include "MinimalPdfWriter.h"
#include "app/BatchDialogs.h"
#include "app/CommandLine.h"
#include "app/Form1.h"
#include "app/Forms.h"
#include "app/Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/Twips.h"
#include "codes/BarcodeSymbol.h"
#include "codes/QrEncoder.h"
#include "codes/QrMaker.h"
#include "data/DataTable.h"
#include "data/FieldItemGenerator.h"
#include "data/WorkbookImport.h"
#include "layout/LayoutLoader.h"
#include "layout/LayoutWriter.h"
#include "print/CupsPrinterOutput.h"
#include "print/PdfFileOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QScopeGuard>
#include <QScreen>
#include <QThread>
#include <arpa/inet.h>
#include <condition_variable>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace tagloom::bench {

namespace {

// Peak resident memory of this process so far, in kilobytes.
long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Processor time this process has had, in seconds: on a machine shared with other work the wall
// time says more about the others than about us.
double cpuSeconds()
{
    timespec now {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// One line for the driver: seconds, peak memory, what was done.
void report(double seconds, const QString &detail)
{
    std::printf("%.6f\t%ld\t%s\n", seconds, peakKilobytes(), qPrintable(detail));
}

// Import of a workbook through the windows: reading, binding to the grid, fitting the columns.
int importWorkbook(const QString &path)
{
    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    Forms forms(workspace);
    workspace.panel().setDataFilePath(path);
    QElapsedTimer timer;
    timer.start();
    const bool imported = WorkbookImport::run(workspace);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (!imported) return 1;
    report(seconds,
        QStringLiteral("%1 rows x %2 columns")
            .arg(workspace.dataTable().rows() - 1)
            .arg(workspace.dataTable().cols() - 1));
    return 0;
}

// Field item generation for a table of many columns.
int fieldItems(int columns)
{
    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    Forms forms(workspace);
    std::vector<QString> cells;
    for (int row = 0; row < 2; ++row)
        for (int col = 1; col <= columns; ++col)
            cells.push_back(row == 0 ? QStringLiteral("字段 %1").arg(col) : QString::number(col));
    workspace.dataTable().bind(columns, std::move(cells));
    QElapsedTimer timer;
    timer.start();
    FieldItemGenerator::run(workspace);
    report(static_cast<double>(timer.nsecsElapsed()) / 1e9,
        QStringLiteral("%1 field items").arg(workspace.canvas().fieldCount() - 1));
    return 0;
}

// QR codes of label-like texts, encoded as the print run encodes them.
int qrEncode(int codes)
{
    QrMaker maker;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < codes; ++i) {
        maker.setCodeData(QStringLiteral("https://example.com/p/%1").arg(100000 + i));
        maker.refresh();
    }
    report(static_cast<double>(timer.nsecsElapsed()) / 1e9 / codes,
        QStringLiteral("per code, %1 codes").arg(codes));
    return 0;
}

// A photo-like picture: smooth colour gradients with fine noise, which compresses badly.
QImage photoLikePicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const int noise = int(random.bounded(48));
            line[x] = qRgb((x * 255 / width + noise) % 256, (y * 255 / height + noise) % 256,
                (x + y + noise) % 256);
        }
    }
    return picture;
}

// The label of the PDF cases: a photo-like background, five field items, a QR code and a barcode,
// with `rows` rows of product data.
void prepareLabels(Workspace &workspace, int rows)
{
    const int columns = 5;
    std::vector<QString> cells;
    const QStringList headers = {"SKU", "名称", "规格", "产地", "网址"};
    for (const QString &header : headers)
        cells.push_back(header);
    for (int row = 1; row <= rows; ++row) {
        cells.push_back(QStringLiteral("TL-%1").arg(row, 6, 10, QLatin1Char('0')));
        cells.push_back(QStringLiteral("青花瓷茶杯 %1 号").arg(row % 97));
        cells.push_back(QStringLiteral("%1 ml").arg(100 + row % 400));
        cells.push_back(QStringLiteral("景德镇"));
        cells.push_back(QStringLiteral("https://example.com/p/%1").arg(row));
    }
    DataTable &table = workspace.dataTable();
    table.bind(columns, std::move(cells));
    table.numberRows();

    LabelDesign &design = workspace.canvas();
    design.setPicture(std::make_shared<const QImage>(photoLikePicture(900, 600)));
    for (int col = 1; col <= columns; ++col) {
        design.loadField(col);
        design.moveField(col, 300, float(300 + 600 * col));
        design.setFieldVisible(col, true);
    }
    design.setCodeImageVisible(true);
    design.setCodeImagePicture(design.qrMaker().codePicture());
    design.setCodeImageGeometry({9000, 600, 2400, 2400});
    design.setBarcodeHolderVisible(true);
    design.setBarcodeHolderGeometry({5000, 6000, 6000, 2000});
    design.setBarcodeGeometry({-400, 0, 9000, 2000});
    for (const QString &header : headers) {
        workspace.panel().chooser(MainPanel::QrSource).append(header);
        workspace.panel().chooser(MainPanel::BarcodeSource).append(header);
    }
    workspace.panel().chooser(MainPanel::QrSource).setListIndex(4);
    workspace.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);
    workspace.panel().setRangeText(MainPanel::LastRow, QString::number(rows));
}

// The figures of a run that wrote `rows` labels into `pdf`.
void reportPdf(double seconds, int rows, double cpuAtStart, const QString &pdf)
{
    report(seconds,
        QStringLiteral("%1 labels, %2 labels/s, CPU %3 s, PDF %4 MB")
            .arg(rows)
            .arg(rows / seconds, 0, 'f', 0)
            .arg(cpuSeconds() - cpuAtStart, 0, 'f', 2)
            .arg(static_cast<double>(QFileInfo(pdf).size()) / 1e6, 0, 'f', 1));
}

// The print run to PDF.
int printToPdf(int rows, const QString &pdf)
{
    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    prepareLabels(workspace, rows);
    PdfFileOutput output(pdf);
    SilentProgress progress;
    QElapsedTimer timer;
    timer.start();
    const double cpuAtStart = cpuSeconds();
    const PrintRun::Result result = PrintRun(workspace, output, progress).run();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    if (result.outcome != PrintRun::Outcome::Printed || result.pagesSent != rows) return 1;
    reportPdf(seconds, rows, cpuAtStart, pdf);
    return 0;
}

// The bars of a Code 128 symbol as start and width in modules, read off a drawing of one module
// to the pixel.
QList<QPair<int, int>> barsOf(const BarcodeSymbol &symbol)
{
    QImage line(symbol.columns(), 1, QImage::Format_Grayscale8);
    line.fill(Qt::white);
    QPainter painter(&line);
    symbol.paint(painter, QRectF(0, 0, symbol.columns(), 1), DotGrid::scaled(1, 1));
    painter.end();
    QList<QPair<int, int>> bars;
    for (int x = 0; x < line.width(); ++x) {
        if (line.constScanLine(0)[x] >= 128) continue;
        if (!bars.isEmpty() && bars.last().first + bars.last().second == x)
            ++bars.last().second;
        else
            bars.append({x, 1});
    }
    return bars;
}

// The same pages as printToPdf, written by the minimal writer from codes made beforehand.
int minimalPdf(int rows, const QString &pdf)
{
    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    prepareLabels(workspace, rows);
    const LabelDesign &design = workspace.canvas();
    const DataTable &table = workspace.dataTable();
    std::vector<MinimalPdfWriter::Page> pages;
    for (int row = 1; row <= rows; ++row) {
        MinimalPdfWriter::Page page;
        for (int col = 1; col <= 5; ++col)
            page.texts << table.cell(row, col);
        page.qr = *QrEncoder::encode(table.cell(row, 5).toUtf8(), design.qrLevel(),
            QrEncoder::smallestVersion, QrEncoder::bestMask, nullptr);
        const std::optional<BarcodeSymbol> symbol
            = BarcodeSymbol::encode(BarcodeType::Code128, table.cell(row, 1), nullptr);
        page.bars = barsOf(*symbol);
        page.barModules = symbol->columns();
        pages.push_back(std::move(page));
    }
    const auto points = [](const QRectF &twips) {
        return QRectF(twips.topLeft() / twipsPerPoint, twips.size() / twipsPerPoint);
    };
    MinimalPdfWriter::Layout layout {design.printedSize() / twipsPerPoint, {}, {},
        points(design.codeImage().geometry.toRectF()), points(design.barcodeStrip())};
    // Qt lays text out in pixels of the screen: fonts sized so that a pixel is a point.
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    for (int col = 1; col <= 5; ++col) {
        const FieldItem &field = design.field(col);
        QFont font = field.font.toQFont();
        font.setPointSizeF(field.font.pointSize * 72 / dpi);
        layout.fonts << font;
        layout.textPlaces << QPointF(field.left, field.top) / twipsPerPoint;
    }
    QElapsedTimer timer;
    timer.start();
    const double cpuAtStart = cpuSeconds();
    MinimalPdfWriter writer(pdf, layout, *design.picture());
    for (const MinimalPdfWriter::Page &page : pages)
        writer.addPage(page);
    if (!writer.finish()) return 1;
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    reportPdf(seconds, rows, cpuAtStart, pdf);
    return 0;
}

// A label printer on the network, on a port of 127.0.0.1, taking what CUPS sends it job after job
// on a thread of its own: when each label's format came (the driver's "^XGR:" prints the page's
// graphic) and how many bytes in all.
class NetworkPrinter
{
public:
    NetworkPrinter()
        : listening_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
    {
        timer_.start();
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(listening_, reinterpret_cast<sockaddr *>(&address), length) == 0
            && listen(listening_, 1) == 0
            && getsockname(listening_, reinterpret_cast<sockaddr *>(&address), &length) == 0) {
            port_ = ntohs(address.sin_port);
            reader_ = std::thread([this] { serve(); });
        }
    }
    ~NetworkPrinter()
    {
        stop_ = true;
        if (reader_.joinable()) reader_.join();
        close(listening_);
    }
    quint16 port() const { return port_; }
    double now() const { return double(timer_.nsecsElapsed()) / 1e9; }
    // Waits until `labels` labels have come, or none came for a minute.
    bool waitFor(int labels)
    {
        std::unique_lock lock(mutex_);
        for (size_t seen = labelTimes_.size(); seen < size_t(labels); seen = labelTimes_.size()) {
            if (!arrived_.wait_for(
                    lock, std::chrono::minutes(1), [&] { return labelTimes_.size() > seen; }))
                return false;
        }
        return true;
    }
    std::vector<double> labelTimes() const
    {
        const std::lock_guard lock(mutex_);
        return labelTimes_;
    }
    qint64 bytes() const { return bytes_; }

private:
    bool ready(int descriptor) const
    {
        pollfd wait {descriptor, POLLIN, 0};
        while (!stop_)
            if (poll(&wait, 1, 100) > 0) return true;
        return false;
    }
    void serve()
    {
        static const QByteArray mark = "^XGR:";
        while (ready(listening_)) {
            const int connection = accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
            QByteArray tail;
            char chunk[1 << 16];
            while (ready(connection)) {
                const ssize_t got = read(connection, chunk, sizeof chunk);
                if (got <= 0) break;
                bytes_ += got;
                tail += QByteArray(chunk, int(got));
                const std::lock_guard lock(mutex_);
                for (qsizetype at = tail.indexOf(mark); at >= 0; at = tail.indexOf(mark, at + 1))
                    labelTimes_.push_back(now());
                tail = tail.right(mark.size() - 1);
                arrived_.notify_all();
            }
            close(connection);
        }
    }

    int listening_;
    quint16 port_ = 0;
    QElapsedTimer timer_;
    std::thread reader_;
    std::atomic<bool> stop_ = false;
    std::atomic<qint64> bytes_ = 0;
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<double> labelTimes_;
};

// The bytes of the jobs a queue has completed, from lpstat's list, once it has no others.
qint64 jobBytes(const QString &queue)
{
    const auto jobs = [&queue](const QStringList &which) {
        QProcess lpstat;
        lpstat.start(QStringLiteral("lpstat"), which + QStringList {QStringLiteral("-o"), queue});
        lpstat.waitForFinished();
        return lpstat.readAllStandardOutput().split('\n');
    };
    QElapsedTimer waiting;
    waiting.start();
    while (jobs({}).size() > 1 && waiting.elapsed() < 60000)
        QThread::msleep(100);
    qint64 bytes = 0;
    for (const QByteArray &line : jobs({QStringLiteral("-W"), QStringLiteral("completed")})) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 2) bytes += fields[2].toLongLong();
    }
    return bytes;
}

// The example label printed for `rows` rows of `data` on `queue`, a ZPL label printer queue of
// CUPS's own driver made for the run whose printer is on 127.0.0.1: the time the run took to hand
// the labels over, when the first and the last label reached the printer, and the bytes a label
// took on the way.
int labelPrinter(int rows, const QString &data, const QString &queue)
{
    NetworkPrinter device;
    if (device.port() == 0
        || QProcess::execute(QStringLiteral("lpadmin"),
               {QStringLiteral("-p"), queue, QStringLiteral("-E"), QStringLiteral("-v"),
                   QStringLiteral("socket://127.0.0.1:%1").arg(device.port()), QStringLiteral("-m"),
                   QStringLiteral("drv:///sample.drv/zebra.ppd"), QStringLiteral("-o"),
                   QStringLiteral("PageSize=w432h288"), QStringLiteral("-o"),
                   QStringLiteral("Resolution=203dpi")})
            != 0)
        return 77;
    const auto removeQueue = qScopeGuard([&] {
        QProcess::execute(QStringLiteral("lpadmin"), {QStringLiteral("-x"), queue});
    });
    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    if (!LayoutLoader::load(workspace, QStringLiteral(TAGLOOM_SOURCE_DIR "/examples/example.ini"),
            nullptr, {std::nullopt, data}))
        return 1;
    workspace.panel().setRangeText(MainPanel::LastRow, QString::number(rows));
    CupsPrinterOutput output(queue, {});
    SilentProgress progress;
    const double startedAt = device.now();
    timespec cpuAtStart {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuAtStart);
    const PrintRun::Result result = PrintRun(workspace, output, progress).run();
    const double handedOver = device.now() - startedAt;
    timespec cpuAtEnd {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpuAtEnd);
    const double cpu = double(cpuAtEnd.tv_sec - cpuAtStart.tv_sec)
        + double(cpuAtEnd.tv_nsec - cpuAtStart.tv_nsec) / 1e9;
    if (result.outcome != PrintRun::Outcome::Printed || !device.waitFor(rows)) return 1;
    const std::vector<double> labels = device.labelTimes();
    const qint64 spooled = jobBytes(queue);
    report(handedOver,
        QStringLiteral("handed over %1 s (CPU %6 s), first label at the device %2 s, last %3 s; "
                       "%4 kB a label to CUPS, %5 kB to the device")
            .arg(handedOver, 0, 'f', 1)
            .arg(labels.front() - startedAt, 0, 'f', 2)
            .arg(labels.back() - startedAt, 0, 'f', 1)
            .arg(double(spooled) / rows / 1000, 0, 'f', 1)
            .arg(double(device.bytes()) / rows / 1000, 0, 'f', 1)
            .arg(cpu, 0, 'f', 1));
    return 0;
}

// The table command on a workbook, its output thrown away.
int tableCommand(const QString &path)
{
    std::fflush(stdout);
    const int report_fd = dup(STDOUT_FILENO);
    const int nowhere = open("/dev/null", O_WRONLY);
    dup2(nowhere, STDOUT_FILENO);
    QByteArray program("tagloom"), command("table"), file = path.toLocal8Bit();
    char *argv[] = {program.data(), command.data(), file.data(), nullptr};
    QElapsedTimer timer;
    timer.start();
    const int status = CommandLine::run(3, argv);
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::fflush(stdout);
    dup2(report_fd, STDOUT_FILENO);
    report(seconds, QStringLiteral("table of %1").arg(QFileInfo(path).fileName()));
    return status;
}

// Saving the example design and loading it back, in a freshly started program each.
int layoutSaveAndLoad(const QString &example, const QString &saved)
{
    BatchDialogs dialogs;
    Workspace loaded(dialogs);
    QElapsedTimer timer;
    timer.start();
    if (!LayoutLoader::load(loaded, example)) return 1;
    const double loadSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    timer.restart();
    QString reason;
    if (!LayoutWriter::save(loaded.panel(), loaded.canvas(), saved, &reason)) return 1;
    const double saveSeconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    report(loadSeconds + saveSeconds,
        QStringLiteral("load %1 ms (picture, workbook, items), save %2 ms")
            .arg(loadSeconds * 1000, 0, 'f', 1)
            .arg(saveSeconds * 1000, 0, 'f', 2));
    return 0;
}

// Start-up: the main window shown and drawn once.
int startUp()
{
    BatchDialogs dialogs;
    Workspace workspace(dialogs);
    Forms forms(workspace);
    forms.showMainWindow();
    forms.form1()->grab(); // drawn once
    report(0, QStringLiteral("main window shown"));
    return 0;
}

} // namespace

int runCase(int argc, char *argv[])
{
    // The table command makes its own application object, as the program does.
    if (QByteArray(argv[0]) == "table") return tableCommand(QString::fromLocal8Bit(argv[1]));

    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const QString name = arguments.value(0);
    if (name == QLatin1String("import")) return importWorkbook(arguments.value(1));
    if (name == QLatin1String("fields")) return fieldItems(arguments.value(1).toInt());
    if (name == QLatin1String("qr")) return qrEncode(arguments.value(1).toInt());
    if (name == QLatin1String("layout"))
        return layoutSaveAndLoad(arguments.value(1), arguments.value(2));
    if (name == QLatin1String("startup")) return startUp();
    if (name == QLatin1String("print"))
        return printToPdf(arguments.value(1).toInt(), arguments.value(2));
    if (name == QLatin1String("label-printer"))
        return labelPrinter(arguments.value(1).toInt(), arguments.value(2), arguments.value(3));
    if (name == QLatin1String("minimal-pdf"))
        return minimalPdf(arguments.value(1).toInt(), arguments.value(2));
    std::fprintf(stderr, "tagloom-bench: unknown case %s\n", qPrintable(name));
    return 2;
}

} // namespace tagloom::bench
