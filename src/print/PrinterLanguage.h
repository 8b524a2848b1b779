// How a printer is told to print a page of dots: the bytes of one page in the printer's own
// language, or in the raster form a CUPS driver takes.
#pragma once

#include <QByteArray>

namespace tagloom {

class DotPage;

class PrinterLanguage
{
public:
    virtual ~PrinterLanguage() = default;

    // What every document, or job, starts with.
    virtual QByteArray documentStart() { return {}; }
    // One page that the printer prints `copies` times.
    virtual QByteArray page(const DotPage &page, int copies) = 0;
};

} // namespace tagloom
