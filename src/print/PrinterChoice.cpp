// The printer chosen, and what it takes.
#include "PrinterChoice.h"

#include "CupsPrinterOutput.h"
#include "CupsQueue.h"
#include "DirectPrinterOutput.h"
#include "PrintSettings.h"

namespace tagloom {

PrinterChoice PrinterChoice::cupsQueue(const QString &name)
{
    PrinterChoice choice;
    choice.queue_ = name;
    return choice;
}

PrinterChoice PrinterChoice::direct(const DirectPrinter &printer)
{
    PrinterChoice choice;
    choice.direct_ = printer;
    return choice;
}

PrinterChoice PrinterChoice::chosen()
{
    return PrintSettings::directChosen() ? direct(PrintSettings::directPrinter())
                                         : cupsQueue(PrintSettings::chosenPrinter());
}

QString PrinterChoice::name() const
{
    if (direct_) return direct_->text();
    return queue_.isEmpty() ? CupsQueue::defaultName() : queue_;
}

std::optional<int> PrinterChoice::dotsPerInch() const
{
    if (direct_) return direct_->dotsPerInch;
    QString reason;
    const std::optional<CupsQueue> queue = CupsQueue::find(queue_, &reason);
    if (!queue || !queue->resolution().isValid()) return std::nullopt;
    return queue->resolution().width();
}

std::unique_ptr<LabelOutput> PrinterChoice::output(const Calibration &calibration) const
{
    if (direct_) return std::make_unique<DirectPrinterOutput>(*direct_, calibration);
    // The default printer is named here, so that the job goes where its calibration belongs.
    return std::make_unique<CupsPrinterOutput>(name(), calibration);
}

} // namespace tagloom
