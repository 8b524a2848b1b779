// Label pages to a CUPS printer. The page is the printer's default media with the label at the
// top left of what it prints, or a custom page of the label's size when the label does not fit
// (PageGeometry). A queue whose driver takes CUPS raster (the label printers' drivers) gets the
// pages at its own dots as they are drawn (DotPrinterOutput, CupsJobSeries); any other gets them
// as one PDF job (PdfJobOutput). Either way the job asks for that media and no scaling, so the
// label keeps its true size, and the printer's calibration moves and scales every page.
#pragma once

#include "Calibration.h"
#include "DelegatingOutput.h"

namespace tagloom {

class CupsPrinterOutput : public DelegatingOutput
{
public:
    // An empty name means the default printer.
    CupsPrinterOutput(const QString &printerName, const Calibration &calibration);

protected:
    std::unique_ptr<LabelOutput> makeJob(const QSizeF &labelTwips, QString *reason) override;

private:
    QString printerName_;
    Calibration calibration_;
};

} // namespace tagloom
