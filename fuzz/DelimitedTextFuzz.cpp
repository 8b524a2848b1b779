// libFuzzer entry point for delimited text: the bytes as a .csv file (the delimiter found on the
// first line) and, when the first byte is odd, as a .tsv file.
#include "FuzzChecks.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool tabs = size > 0 && (data[0] & 1);
    tagloom::fuzz::readOrRefuse(
        bytes, tabs ? QStringLiteral("fuzz.tsv") : QStringLiteral("fuzz.csv"));
    return 0;
}
