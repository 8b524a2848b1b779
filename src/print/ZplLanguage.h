// ZPL II, the language of Zebra printers and the many that follow it: each label a format that
// sets the print width, the label length and the media, and prints the page as one graphic field
// in the ASCII hex form with ZPL's own compression.
#pragma once

#include "PrinterLanguage.h"

namespace tagloom {

class ZplLanguage : public PrinterLanguage
{
public:
    // `gapMm` between two labels on the roll; 0 for continuous paper.
    explicit ZplLanguage(double gapMm);

    QByteArray page(const DotPage &page, int copies) override;

    // A page's rows in ZPL's compressed ASCII hex.
    static QByteArray compressedHex(const DotPage &page);

private:
    double gapMm_;
};

} // namespace tagloom
