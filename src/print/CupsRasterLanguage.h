// CUPS raster, the page form CUPS's raster drivers take (rastertolabel for Zebra, DYMO and other
// label printers): sent as it is, a job skips Ghostscript and the driver turns it straight into
// the printer's language. Each page carries the header the queue's PPD makes of the job's options,
// as Ghostscript's would, with the page's own size and dots.
#pragma once

#include "CupsJob.h"
#include "PrinterLanguage.h"

#include <QSize>
#include <memory>

namespace tagloom {

class CupsRasterLanguage : public PrinterLanguage
{
public:
    static constexpr const char *format = "application/vnd.cups-raster";

    // For a queue whose driver takes CUPS raster of one bit a dot: the language for pages of
    // `dots`, `pagePoints` in points, with the queue's own options and the job's `options`;
    // nothing when the driver takes other pages (a job to it goes as PDF).
    static std::unique_ptr<CupsRasterLanguage> forQueue(const QString &queue,
        const CupsJob::Options &options, const QSize &dots, int dotsPerInch,
        const QSizeF &pagePoints);
    ~CupsRasterLanguage() override;

    QByteArray documentStart() override;
    QByteArray page(const DotPage &page, int copies) override;

private:
    struct Stream;
    explicit CupsRasterLanguage(std::unique_ptr<Stream> stream);

    std::unique_ptr<Stream> stream_;
};

} // namespace tagloom
