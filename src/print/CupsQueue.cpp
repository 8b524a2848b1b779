// Asking CUPS about a queue: its options through the destination API, the paper and resolution
// through the printer's IPP attributes.
#include "CupsQueue.h"

#include <QRegularExpression>
#include <algorithm>
#include <cups/cups.h>
#include <memory>

namespace tagloom {

namespace {

constexpr double pointsPerHundredthMm = 72.0 / 2540.0; // IPP gives lengths in 1/100 mm

struct DestinationDeleter
{
    void operator()(cups_dest_t *destination) const { cupsFreeDests(1, destination); }
};
using Destination = std::unique_ptr<cups_dest_t, DestinationDeleter>;

struct IppDeleter
{
    void operator()(ipp_t *message) const { ippDelete(message); }
};
using IppMessage = std::unique_ptr<ipp_t, IppDeleter>;

QString optionOf(const cups_dest_t &destination, const char *name)
{
    return QString::fromUtf8(cupsGetOption(name, destination.num_options, destination.options));
}

QSizeF points(int width, int length)
{
    return {width * pointsPerHundredthMm, length * pointsPerHundredthMm};
}

// The size a media name stands for: a PWG name (iso_a4_210x297mm), a PPD or legacy name (A4,
// Letter, Custom.4x2in) or the wWIDTHhHEIGHT names, in points, of CUPS's label drivers.
std::optional<QSizeF> sizeOfMedia(const QString &name)
{
    const QByteArray utf8 = name.toUtf8();
    if (const pwg_media_t *media = pwgMediaForPWG(utf8.constData()))
        return points(media->width, media->length);
    if (const pwg_media_t *media = pwgMediaForPPD(utf8.constData()))
        return points(media->width, media->length);
    static const QRegularExpression labelName(
        QStringLiteral("^w(\\d+(?:\\.\\d+)?)h(\\d+(?:\\.\\d+)?)$"));
    const QRegularExpressionMatch match = labelName.match(name);
    if (match.hasMatch()) return QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
    return std::nullopt;
}

IppMessage printerAttributes(const cups_dest_t &destination)
{
    static const char *const wanted[] = {"media-default", "media-col-default", "media-col-database",
        "media-size-supported", "media-left-margin-supported", "media-right-margin-supported",
        "media-top-margin-supported", "media-bottom-margin-supported",
        "printer-resolution-default"};
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
        "/printers/%s", destination.name);
    ipp_t *request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
        static_cast<int>(std::size(wanted)), nullptr, wanted);
    IppMessage response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_CONFLICTING) return nullptr;
    return response;
}

int integerIn(ipp_t *collection, const char *name)
{
    return ippGetInteger(ippFindAttribute(collection, name, IPP_TAG_INTEGER), 0);
}

// The widest margins the printer gives for paper of this size (in 1/100 mm): a printer may list a
// size twice, with and without borders, and a label placed inside the wider ones prints either way.
std::optional<QMarginsF> marginsFromDatabase(ipp_t *printer, int width, int length)
{
    constexpr int sameSize = 2; // hundredths of a millimetre lost between inches and points
    ipp_attribute_t *database
        = ippFindAttribute(printer, "media-col-database", IPP_TAG_BEGIN_COLLECTION);
    std::optional<QMarginsF> widest;
    for (int index = 0; index < ippGetCount(database); ++index) {
        ipp_t *media = ippGetCollection(database, index);
        ipp_t *size
            = ippGetCollection(ippFindAttribute(media, "media-size", IPP_TAG_BEGIN_COLLECTION), 0);
        if (!size || !ippFindAttribute(size, "x-dimension", IPP_TAG_INTEGER)) continue; // a range
        if (std::abs(integerIn(size, "x-dimension") - width) > sameSize
            || std::abs(integerIn(size, "y-dimension") - length) > sameSize)
            continue;
        const QMarginsF margins(integerIn(media, "media-left-margin") * pointsPerHundredthMm,
            integerIn(media, "media-top-margin") * pointsPerHundredthMm,
            integerIn(media, "media-right-margin") * pointsPerHundredthMm,
            integerIn(media, "media-bottom-margin") * pointsPerHundredthMm);
        widest = widest
            ? QMarginsF(std::max(widest->left(), margins.left()),
                std::max(widest->top(), margins.top()), std::max(widest->right(), margins.right()),
                std::max(widest->bottom(), margins.bottom()))
            : margins;
    }
    return widest;
}

// For sizes the printer does not list: the widest margins it supports at all.
QMarginsF widestMargins(ipp_t *printer)
{
    const auto widest = [printer](const char *name) {
        ipp_attribute_t *supported = ippFindAttribute(printer, name, IPP_TAG_INTEGER);
        int margin = 0;
        for (int index = 0; index < ippGetCount(supported); ++index)
            margin = std::max(margin, ippGetInteger(supported, index));
        return margin * pointsPerHundredthMm;
    };
    return {widest("media-left-margin-supported"), widest("media-top-margin-supported"),
        widest("media-right-margin-supported"), widest("media-bottom-margin-supported")};
}

// The media a job gets when it asks for none: a PageSize default (set on the server or by
// lpoptions) wins over the media default, as it does when CUPS prints.
std::optional<PrinterMedia> defaultMedia(const cups_dest_t &destination, ipp_t *printer)
{
    const QString mediaDefault = QString::fromUtf8(
        ippGetString(ippFindAttribute(printer, "media-default", IPP_TAG_ZERO), 0, nullptr));
    const std::pair<const char *, QString> candidates[] = {
        {"PageSize", optionOf(destination, "PageSize")},
        {"media", optionOf(destination, "media")},
        {"media", mediaDefault},
    };
    for (const auto &[option, value] : candidates) {
        if (value.isEmpty()) continue;
        const std::optional<QSizeF> size = sizeOfMedia(value);
        if (!size) continue;
        const int width = qRound(size->width() / pointsPerHundredthMm);
        const int length = qRound(size->height() / pointsPerHundredthMm);
        return PrinterMedia {QString::fromLatin1(option), value, *size,
            marginsFromDatabase(printer, width, length).value_or(widestMargins(printer))};
    }
    return std::nullopt;
}

std::optional<CustomSizes> customSizes(ipp_t *printer)
{
    ipp_attribute_t *sizes
        = ippFindAttribute(printer, "media-size-supported", IPP_TAG_BEGIN_COLLECTION);
    for (int index = 0; index < ippGetCount(sizes); ++index) {
        ipp_t *size = ippGetCollection(sizes, index);
        ipp_attribute_t *x = ippFindAttribute(size, "x-dimension", IPP_TAG_RANGE);
        ipp_attribute_t *y = ippFindAttribute(size, "y-dimension", IPP_TAG_RANGE);
        if (!x || !y) continue;
        int widest = 0;
        int longest = 0;
        const int narrowest = ippGetRange(x, 0, &widest);
        const int shortest = ippGetRange(y, 0, &longest);
        return CustomSizes {points(narrowest, shortest), points(widest, longest)};
    }
    return std::nullopt;
}

// "203dpi" or "300x600dpi", the form of PPD choices and of IPP resolutions as options.
QSize resolutionOfText(const QString &text)
{
    static const QRegularExpression dpi(QStringLiteral("^(\\d+)(?:x(\\d+))?dpi$"));
    const QRegularExpressionMatch match = dpi.match(text);
    if (!match.hasMatch()) return {};
    const int across = match.captured(1).toInt();
    return {across, match.captured(2).isEmpty() ? across : match.captured(2).toInt()};
}

QSize resolutionOf(
    const cups_dest_t &destination, ipp_t *printer, std::pair<QByteArray, QByteArray> *chosenBy)
{
    for (const char *option : {"Resolution", "printer-resolution"}) {
        const QString value = optionOf(destination, option);
        const QSize chosen = resolutionOfText(value);
        if (chosen.isValid()) {
            *chosenBy = {option, value.toUtf8()};
            return chosen;
        }
    }
    ipp_attribute_t *resolution
        = ippFindAttribute(printer, "printer-resolution-default", IPP_TAG_RESOLUTION);
    if (!resolution) return {};
    int along = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int across = ippGetResolution(resolution, 0, &along, &units);
    const double perInch = units == IPP_RES_PER_CM ? 2.54 : 1;
    return {qRound(across * perInch), qRound(along * perInch)};
}

} // namespace

std::optional<CupsQueue> CupsQueue::find(const QString &name, QString *reason)
{
    const Destination destination(cupsGetNamedDest(
        CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.toUtf8().constData(), nullptr));
    if (!destination) {
        *reason = name.isEmpty() ? QStringLiteral("没有默认打印机")
                                 : QStringLiteral("找不到打印机 %1").arg(name);
        return std::nullopt;
    }
    CupsQueue queue;
    queue.name_ = QString::fromUtf8(destination->name);
    // Asking for the destination's details makes CUPS set up a queue for a printer it has only
    // found on the network, so that its attributes can be asked for below.
    cupsFreeDestInfo(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, destination.get()));
    const IppMessage printer = printerAttributes(*destination);
    if (!printer) {
        *reason = QStringLiteral("打印机 %1 没有回答：%2")
                      .arg(queue.name_, QString::fromUtf8(cupsLastErrorString()));
        return std::nullopt;
    }
    const std::optional<PrinterMedia> media = defaultMedia(*destination, printer.get());
    if (!media) {
        *reason = QStringLiteral("打印机 %1 没有说明它用的纸张").arg(queue.name_);
        return std::nullopt;
    }
    queue.paper_ = {*media, customSizes(printer.get())};
    queue.resolution_ = resolutionOf(*destination, printer.get(), &queue.resolutionOption_);
    return queue;
}

QStringList CupsQueue::names()
{
    cups_dest_t *destinations = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &destinations);
    QStringList found;
    for (int index = 0; index < count; ++index) {
        if (!destinations[index].instance) found << QString::fromUtf8(destinations[index].name);
    }
    cupsFreeDests(count, destinations);
    found.removeDuplicates();
    return found;
}

QString CupsQueue::defaultName()
{
    const Destination destination(cupsGetNamedDest(CUPS_HTTP_DEFAULT, nullptr, nullptr));
    return destination ? QString::fromUtf8(destination->name) : QString();
}

} // namespace tagloom
