// The job a CUPS queue gets: raster pages as they are drawn, or one PDF.
#include "CupsPrinterOutput.h"

#include "CupsJobSeries.h"
#include "CupsQueue.h"
#include "CupsRasterLanguage.h"
#include "DotPrinterOutput.h"
#include "PdfJobOutput.h"
#include "canvas/Twips.h"

#include <cmath>

namespace tagloom {

namespace {

// Pages larger than this many dots (an office printer's A4 at 600 dpi) go as PDF: drawn at the
// dots they would take more memory than a label run should.
constexpr qint64 largestRasterDots = 16'000'000;

QSize dotsOf(const QSizeF &points, int dotsPerInch)
{
    return {int(std::lround(points.width() * dotsPerInch / 72)),
        int(std::lround(points.height() * dotsPerInch / 72))};
}

} // namespace

CupsPrinterOutput::CupsPrinterOutput(const QString &printerName, const Calibration &calibration)
    : printerName_(printerName)
    , calibration_(calibration)
{
}

std::unique_ptr<LabelOutput> CupsPrinterOutput::makeJob(const QSizeF &labelTwips, QString *reason)
{
    const std::optional<CupsQueue> queue = CupsQueue::find(printerName_, reason);
    if (!queue) return nullptr;
    QString refusal;
    const std::optional<PagePlan> plan
        = PageGeometry::plan(labelTwips / twipsPerPoint, queue->paper(), &refusal);
    if (!plan) {
        *reason = QStringLiteral("打印机 %1：%2").arg(queue->name(), refusal);
        return nullptr;
    }
    CupsJob::Options options {
        {plan->mediaOption.toUtf8(), plan->mediaValue.toUtf8()},
        // Our page is the page to print: CUPS must neither fit it to other paper nor turn it.
        {"print-scaling", "none"},
        // Each copy is a page of its own already; a copies default of the queue would repeat the
        // whole job.
        {"copies", "1"},
    };
    if (!queue->resolutionOption().first.isEmpty()) options.append(queue->resolutionOption());
    const int dotsPerInch = queue->resolution().isValid() ? queue->resolution().width() : 0;

    const QSize dots = dotsOf(plan->pageSize, dotsPerInch);
    if (dotsPerInch > 0 && qint64(dots.width()) * dots.height() <= largestRasterDots) {
        if (std::unique_ptr<CupsRasterLanguage> raster = CupsRasterLanguage::forQueue(
                queue->name(), options, dots, dotsPerInch, plan->pageSize)) {
            CupsRasterLanguage *language = raster.get();
            auto jobs = std::make_unique<CupsJobSeries>(queue->name(), CupsRasterLanguage::format,
                options, [language] { return language->documentStart(); });
            return std::make_unique<DotPrinterOutput>(
                DotPlan {dots, plan->labelOrigin * dotsPerInch / 72, dotsPerInch}, calibration_,
                std::move(raster), std::move(jobs));
        }
    }
    return std::make_unique<PdfJobOutput>(queue->name(), *plan, dotsPerInch, options, calibration_);
}

} // namespace tagloom
