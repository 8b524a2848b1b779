// Pages at a printer's dots, sent as they are drawn.
#include "DotPrinterOutput.h"

#include "canvas/LabelPainter.h"
#include "canvas/Twips.h"

namespace tagloom {

DotPrinterOutput::DotPrinterOutput(const DotPlan &plan, const Calibration &calibration,
    std::unique_ptr<PrinterLanguage> language, std::unique_ptr<PrinterConnection> connection,
    int copies)
    : plan_(plan)
    , calibration_(calibration)
    , language_(std::move(language))
    , connection_(std::move(connection))
    , copies_(copies)
    , page_(plan.pageDots, plan.dotsPerInch)
{
}

bool DotPrinterOutput::begin(const QSizeF &, QString *reason)
{
    if (!connection_->open(reason)) return false;
    startPage();
    return true;
}

void DotPrinterOutput::startPage()
{
    painter_ = &page_.begin();
    painter_->translate(plan_.labelOrigin + calibration_.offsetMm * plan_.dotsPerInch / 25.4);
    painter_->scale(calibration_.scalePercent / 100, calibration_.scalePercent / 100);
    LabelPainter::useTwips(*painter_);
}

bool DotPrinterOutput::sendPage(QString *reason)
{
    if (failed_) return false; // the reason was given when it failed
    page_.end();
    if (!connection_->send(language_->page(page_, copies_), copies_, reason)) {
        failed_ = true;
        return false;
    }
    return true;
}

bool DotPrinterOutput::nextPage(QString *reason)
{
    if (!sendPage(reason)) return false;
    startPage();
    return true;
}

bool DotPrinterOutput::finish(QString *reason)
{
    return sendPage(reason) && connection_->close(reason);
}

std::optional<double> DotPrinterOutput::dotsPerTwip() const
{
    return plan_.dotsPerInch / twipsPerInch * calibration_.scalePercent / 100;
}

} // namespace tagloom
