// The names of the barcode types.
#include "BarcodeType.h"

#include <iterator>

namespace tagloom {

namespace {

struct Names
{
    const char *name;
    const char *keyword;
};

// In the order of the enumeration.
constexpr Names names[] = {{"Code 128", "code128"}, {"EAN-13", "ean13"}, {"EAN-8", "ean8"},
    {"UPC-A", "upca"}, {"ITF-14", "itf14"}, {"Code 39", "code39"}, {"GS1-128", "gs1-128"},
    {"Data Matrix", "datamatrix"}, {"PDF417", "pdf417"}};
static_assert(std::size(names) == std::size(allBarcodeTypes));

const Names &namesOf(BarcodeType type)
{
    return names[static_cast<int>(type)];
}

} // namespace

QString barcodeTypeName(BarcodeType type)
{
    return QString::fromLatin1(namesOf(type).name);
}

QString barcodeTypeKeyword(BarcodeType type)
{
    return QString::fromLatin1(namesOf(type).keyword);
}

std::optional<BarcodeType> barcodeTypeFromKeyword(const QString &keyword)
{
    for (const BarcodeType type : allBarcodeTypes) {
        if (keyword == QLatin1String(namesOf(type).keyword)) return type;
    }
    return std::nullopt;
}

} // namespace tagloom
