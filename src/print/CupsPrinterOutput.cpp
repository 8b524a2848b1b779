// Label pages to a CUPS printer, as one PDF job.
#include "CupsPrinterOutput.h"

#include "CupsJob.h"
#include "CupsQueue.h"
#include "canvas/LabelPainter.h"
#include "canvas/Twips.h"

#include <QDir>

namespace tagloom {

namespace {

// For a printer that does not give its resolution: fine enough for any, with no dot grid.
constexpr int unknownPrinterDotsPerInch = 600;

} // namespace

CupsPrinterOutput::CupsPrinterOutput(const QString &printerName, const Calibration &calibration)
    : printerName_(printerName)
    , calibration_(calibration)
{
}

bool CupsPrinterOutput::begin(const QSizeF &labelTwips, QString *reason)
{
    const std::optional<CupsQueue> queue = CupsQueue::find(printerName_, reason);
    if (!queue) return false;
    queueName_ = queue->name();
    QString refusal;
    const std::optional<PagePlan> plan
        = PageGeometry::plan(labelTwips / twipsPerPoint, queue->paper(), &refusal);
    if (!plan) {
        *reason = QStringLiteral("打印机 %1：%2").arg(queueName_, refusal);
        return false;
    }
    plan_ = *plan;
    dotsPerInch_ = queue->resolution().isValid() ? queue->resolution().width() : 0;
    resolutionOption_ = queue->resolutionOption();
    // The job is drawn in an unnamed file that CUPS reads once it is complete.
    if (!pages_.begin(QDir::tempPath(), QStringLiteral("tagloom-job"), plan_.pageSize,
            dotsPerInch_ > 0 ? dotsPerInch_ : unknownPrinterDotsPerInch)) {
        *reason = QStringLiteral("无法在 %1 建立打印任务的临时文件").arg(QDir::tempPath());
        return false;
    }
    placeLabel();
    return true;
}

void CupsPrinterOutput::placeLabel()
{
    QPainter &painter = pages_.painter();
    const double dotsPerInch = painter.device()->logicalDpiX();
    painter.translate(
        plan_.labelOrigin * dotsPerInch / 72 + calibration_.offsetMm * dotsPerInch / 25.4);
    painter.scale(calibration_.scalePercent / 100, calibration_.scalePercent / 100);
    LabelPainter::useTwips(painter);
}

bool CupsPrinterOutput::nextPage(QString *reason)
{
    if (!pages_.newPage()) {
        *reason = QStringLiteral("打印机 %1 拒绝了新的一页").arg(queueName_);
        return false;
    }
    placeLabel();
    return true;
}

bool CupsPrinterOutput::finish(QString *reason)
{
    if (!pages_.end()) {
        *reason = QStringLiteral("无法在 %1 写完打印任务的临时文件").arg(QDir::tempPath());
        return false;
    }
    CupsJob::Options options {
        {plan_.mediaOption.toUtf8(), plan_.mediaValue.toUtf8()},
        // Our page is the page to print: CUPS must neither fit it to other paper nor turn it.
        {"print-scaling", "none"},
        // Each copy is a page of its own already; a copies default of the queue would repeat the
        // whole job.
        {"copies", "1"},
    };
    if (!resolutionOption_.first.isEmpty()) options.append(resolutionOption_);
    return CupsJob::send(
        queueName_, QStringLiteral("Tagloom 标签"), pages_.file().device(), options, reason);
}

std::optional<double> CupsPrinterOutput::dotsPerTwip() const
{
    if (dotsPerInch_ <= 0) return std::nullopt;
    return dotsPerInch_ / twipsPerInch * calibration_.scalePercent / 100;
}

} // namespace tagloom
