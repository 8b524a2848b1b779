// The job of a printer with no driver: its language over its device, network port or raw queue.
#include "DirectPrinterOutput.h"

#include "CupsJobSeries.h"
#include "DeviceConnection.h"
#include "DotPrinterOutput.h"
#include "TsplLanguage.h"
#include "ZplLanguage.h"
#include "canvas/Twips.h"

#include <cmath>

namespace tagloom {

DirectPrinterOutput::DirectPrinterOutput(
    const DirectPrinter &printer, const Calibration &calibration)
    : printer_(printer)
    , calibration_(calibration)
{
}

bool DirectPrinterOutput::takeCopies(int copies)
{
    copies_ = copies;
    return true;
}

std::unique_ptr<LabelOutput> DirectPrinterOutput::makeJob(const QSizeF &labelTwips, QString *)
{
    const int dpi = printer_.dotsPerInch;
    // The page is the label, to the dot.
    const QSize dots(int(std::lround(labelTwips.width() * dpi / twipsPerInch)),
        int(std::lround(labelTwips.height() * dpi / twipsPerInch)));
    std::unique_ptr<PrinterLanguage> language;
    if (printer_.language == DirectPrinter::Language::Zpl)
        language = std::make_unique<ZplLanguage>(printer_.gapMm);
    else
        language = std::make_unique<TsplLanguage>(printer_.gapMm);
    std::unique_ptr<PrinterConnection> connection;
    if (printer_.place() == DirectPrinter::Place::CupsQueue)
        connection = std::make_unique<CupsJobSeries>(printer_.address, "application/vnd.cups-raw",
            CupsJob::Options {{"copies", "1"}}, [] { return QByteArray(); });
    else
        connection = std::make_unique<DeviceConnection>(printer_.address);
    return std::make_unique<DotPrinterOutput>(DotPlan {dots, QPointF(0, 0), dpi}, calibration_,
        std::move(language), std::move(connection), copies_);
}

} // namespace tagloom
