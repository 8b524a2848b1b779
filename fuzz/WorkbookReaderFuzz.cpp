// libFuzzer entry point: the workbook reader reads or refuses any bytes, never crashes or hangs.
#include "FuzzChecks.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    tagloom::fuzz::readOrRefuse(
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)),
        QStringLiteral("fuzz.xls"));
    return 0;
}
