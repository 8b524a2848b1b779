// Label pages to a printer used with no driver: each label drawn at the printer's dots and sent,
// as soon as it is drawn, as that printer's own bitmap command in TSPL or ZPL, the label's size
// and gap with it and the copies as the language's own count.
#pragma once

#include "Calibration.h"
#include "DelegatingOutput.h"
#include "DirectPrinter.h"

namespace tagloom {

class DirectPrinterOutput : public DelegatingOutput
{
public:
    DirectPrinterOutput(const DirectPrinter &printer, const Calibration &calibration);

    bool takeCopies(int copies) override;

protected:
    std::unique_ptr<LabelOutput> makeJob(const QSizeF &labelTwips, QString *reason) override;

private:
    DirectPrinter printer_;
    Calibration calibration_;
    int copies_ = 1;
};

} // namespace tagloom
