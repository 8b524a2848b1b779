// TSPL, the language of TSC printers and of most label printers sold in China (Gprinter, Xprinter,
// HPRT and others): each label a program that sets the label's size and gap, clears the printer's
// image buffer, puts the page there as one bitmap and prints it.
#pragma once

#include "PrinterLanguage.h"

namespace tagloom {

class TsplLanguage : public PrinterLanguage
{
public:
    // `gapMm` between two labels on the roll; 0 for continuous paper.
    explicit TsplLanguage(double gapMm);

    QByteArray page(const DotPage &page, int copies) override;

private:
    double gapMm_;
};

} // namespace tagloom
