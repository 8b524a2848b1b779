// libFuzzer entry point for the .ods reader. Bytes that begin like a zip archive are the whole
// file; any others are the content.xml of a package, so that mutations reach the tables.
#include "FuzzChecks.h"
#include "ZipPackage.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    tagloom::fuzz::readOrRefuse(bytes.startsWith("PK")
            ? bytes
            : tagloom::fuzz::zipPackage(
                {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
                    {"content.xml", bytes}}),
        QStringLiteral("fuzz.ods"));
    return 0;
}
