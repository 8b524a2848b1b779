// CUPS raster pages with the header the queue's PPD makes.
#include "CupsRasterLanguage.h"

#include "DotPage.h"

#include <QFile>
#include <cmath>
#include <cups/cups.h>
#include <cups/ppd.h>
#include <cups/raster.h>

// CUPS's raster drivers are PPD drivers: their options reach them in the page header as the PPD
// says, through its API, which CUPS marks as deprecated for drivers it means to replace.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace tagloom {

struct CupsRasterLanguage::Stream
{
    cups_page_header2_t header {};
    cups_raster_t *raster = nullptr;
    QByteArray bytes; // what the raster writer wrote since it was last taken
    QByteArray syncWord; // what a raster stream starts with

    ~Stream()
    {
        if (raster) cupsRasterClose(raster);
    }

    static ssize_t write(void *context, unsigned char *data, size_t length)
    {
        static_cast<Stream *>(context)->bytes.append(
            reinterpret_cast<const char *>(data), qsizetype(length));
        return ssize_t(length);
    }

    QByteArray take()
    {
        QByteArray taken;
        taken.swap(bytes);
        return taken;
    }
};

namespace {

struct PpdCloser
{
    void operator()(ppd_file_t *ppd) const { ppdClose(ppd); }
};
using Ppd = std::unique_ptr<ppd_file_t, PpdCloser>;

// The queue's PPD, fetched from the server into a file that is gone once it is read.
Ppd queuePpd(const QString &queue)
{
    const char *file = cupsGetPPD2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData());
    if (!file) return nullptr;
    Ppd ppd(ppdOpenFile(file));
    QFile::remove(QString::fromLocal8Bit(file));
    return ppd;
}

// Whether the PPD's driver takes CUPS raster: a "*cupsFilter: application/vnd.cups-raster …" or
// "*cupsFilter2: application/vnd.cups-raster …" line.
bool takesCupsRaster(ppd_file_t *ppd)
{
    const QByteArray raster = QByteArray(CupsRasterLanguage::format) + ' ';
    for (int index = 0; index < ppd->num_filters; ++index)
        if (QByteArray(ppd->filters[index]).startsWith(raster)) return true;
    for (ppd_attr_t *filter = ppdFindAttr(ppd, "cupsFilter2", nullptr); filter;
         filter = ppdFindNextAttr(ppd, "cupsFilter2", nullptr))
        if (filter->value && QByteArray(filter->value).startsWith(raster)) return true;
    return false;
}

} // namespace

CupsRasterLanguage::CupsRasterLanguage(std::unique_ptr<Stream> stream)
    : stream_(std::move(stream))
{
}

CupsRasterLanguage::~CupsRasterLanguage() = default;

std::unique_ptr<CupsRasterLanguage> CupsRasterLanguage::forQueue(const QString &queue,
    const CupsJob::Options &options, const QSize &dots, int dotsPerInch, const QSizeF &pagePoints)
{
    const Ppd ppd = queuePpd(queue);
    if (!ppd || !takesCupsRaster(ppd.get())) return nullptr;
    // The queue's own options (the server's defaults and the user's lpoptions), then the job's.
    cups_option_t *all = nullptr;
    int count = 0;
    if (cups_dest_t *destination
        = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), nullptr)) {
        for (int index = 0; index < destination->num_options; ++index)
            count = cupsAddOption(
                destination->options[index].name, destination->options[index].value, count, &all);
        cupsFreeDests(1, destination);
    }
    for (const auto &[name, value] : options)
        count = cupsAddOption(name.constData(), value.constData(), count, &all);
    ppdMarkDefaults(ppd.get());
    cupsMarkOptions(ppd.get(), count, all);
    auto stream = std::make_unique<Stream>();
    cups_page_header2_t &header = stream->header;
    const bool interpreted = cupsRasterInterpretPPD(&header, ppd.get(), count, all, nullptr) == 0;
    cupsFreeOptions(count, all);
    // Label drivers take one bit a dot, black where it is set; others go on as PDF.
    if (!interpreted || header.cupsBitsPerColor != 1 || header.cupsColorSpace != CUPS_CSPACE_K)
        return nullptr;

    // The page itself: its size to the dot, one bit a dot, one copy (copies are pages).
    header.HWResolution[0] = header.HWResolution[1] = unsigned(dotsPerInch);
    header.cupsWidth = unsigned(dots.width());
    header.cupsHeight = unsigned(dots.height());
    header.cupsBitsPerPixel = 1;
    header.cupsBytesPerLine = unsigned((dots.width() + 7) / 8);
    header.cupsColorOrder = CUPS_ORDER_CHUNKED;
    header.PageSize[0] = unsigned(std::lround(pagePoints.width()));
    header.PageSize[1] = unsigned(std::lround(pagePoints.height()));
    header.cupsPageSize[0] = float(pagePoints.width());
    header.cupsPageSize[1] = float(pagePoints.height());
    header.ImagingBoundingBox[0] = header.ImagingBoundingBox[1] = 0;
    header.ImagingBoundingBox[2] = header.PageSize[0];
    header.ImagingBoundingBox[3] = header.PageSize[1];
    header.cupsImagingBBox[0] = header.cupsImagingBBox[1] = 0;
    header.cupsImagingBBox[2] = header.cupsPageSize[0];
    header.cupsImagingBBox[3] = header.cupsPageSize[1];
    header.Margins[0] = header.Margins[1] = 0;
    header.NumCopies = 1;
    // One writer for every page: pages are written each on their own, and each document only
    // needs the stream's sync word before its first one.
    stream->raster = cupsRasterOpenIO(&Stream::write, stream.get(), CUPS_RASTER_WRITE_COMPRESSED);
    if (!stream->raster) return nullptr;
    stream->syncWord = stream->take();
    return std::unique_ptr<CupsRasterLanguage>(new CupsRasterLanguage(std::move(stream)));
}

QByteArray CupsRasterLanguage::documentStart()
{
    return stream_->syncWord;
}

QByteArray CupsRasterLanguage::page(const DotPage &page, int)
{
    cupsRasterWriteHeader2(stream_->raster, &stream_->header);
    const unsigned rowBytes = stream_->header.cupsBytesPerLine;
    for (int y = 0; y < page.size().height(); ++y)
        cupsRasterWritePixels(stream_->raster,
            reinterpret_cast<unsigned char *>(const_cast<char *>(page.row(y))), rowBytes);
    return stream_->take();
}

} // namespace tagloom
