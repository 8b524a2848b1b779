// libFuzzer entry point: the workbook reader reads or refuses any bytes, never crashes or hangs.
#include "data/DataFileReader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QString reason;
    const std::optional<tagloom::Sheet> sheet
        = tagloom::DataFileReader::readSheet1(bytes, QStringLiteral("fuzz.xls"), &reason);
    // A refusal always says why; every column of a sheet has a name.
    if (!sheet && reason.isEmpty()) std::abort();
    for (int column = 0; sheet && column < sheet->columnCount(); ++column) {
        if (sheet->cell(0, column).isEmpty()) std::abort();
    }
    return 0;
}
