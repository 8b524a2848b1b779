// Label pages to a CUPS queue as one PDF job.
#include "PdfJobOutput.h"

#include "CupsJob.h"
#include "canvas/LabelPainter.h"
#include "canvas/Twips.h"

#include <QDir>

namespace tagloom {

namespace {

// For a printer that does not give its resolution: fine enough for any, with no dot grid.
constexpr int unknownPrinterDotsPerInch = 600;

} // namespace

PdfJobOutput::PdfJobOutput(const QString &queue, const PagePlan &plan, int dotsPerInch,
    const QList<std::pair<QByteArray, QByteArray>> &options, const Calibration &calibration)
    : queue_(queue)
    , plan_(plan)
    , dotsPerInch_(dotsPerInch)
    , options_(options)
    , calibration_(calibration)
{
}

bool PdfJobOutput::begin(const QSizeF &, QString *reason)
{
    // The job is drawn in an unnamed file that CUPS reads once it is complete.
    if (!pages_.begin(QDir::tempPath(), QStringLiteral("tagloom-job"), plan_.pageSize,
            dotsPerInch_ > 0 ? dotsPerInch_ : unknownPrinterDotsPerInch)) {
        *reason = QStringLiteral("无法在 %1 建立打印任务的临时文件").arg(QDir::tempPath());
        return false;
    }
    placeLabel();
    return true;
}

void PdfJobOutput::placeLabel()
{
    QPainter &painter = pages_.painter();
    const double dotsPerInch = painter.device()->logicalDpiX();
    painter.translate(
        plan_.labelOrigin * dotsPerInch / 72 + calibration_.offsetMm * dotsPerInch / 25.4);
    painter.scale(calibration_.scalePercent / 100, calibration_.scalePercent / 100);
    LabelPainter::useTwips(painter);
}

bool PdfJobOutput::nextPage(QString *reason)
{
    if (!pages_.newPage()) {
        *reason = QStringLiteral("打印机 %1 拒绝了新的一页").arg(queue_);
        return false;
    }
    placeLabel();
    return true;
}

bool PdfJobOutput::finish(QString *reason)
{
    if (!pages_.end()) {
        *reason = QStringLiteral("无法在 %1 写完打印任务的临时文件").arg(QDir::tempPath());
        return false;
    }
    return CupsJob::send(
        queue_, QStringLiteral("Tagloom 标签"), pages_.file().device(), options_, reason);
}

std::optional<double> PdfJobOutput::dotsPerTwip() const
{
    if (dotsPerInch_ <= 0) return std::nullopt;
    return dotsPerInch_ / twipsPerInch * calibration_.scalePercent / 100;
}

} // namespace tagloom
