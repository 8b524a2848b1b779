// What every data file fuzz target checks of the reader's outcome: a refusal always says why,
// and every column of a sheet has a name.
#pragma once

#include "data/DataFileReader.h"

#include <cstdlib>

namespace tagloom::fuzz {

inline void readOrRefuse(const QByteArray &bytes, const QString &fileName)
{
    QString reason;
    const std::optional<Sheet> sheet = DataFileReader::readSheet1(bytes, fileName, &reason);
    if (!sheet && reason.isEmpty()) std::abort();
    for (int column = 0; sheet && column < sheet->columnCount(); ++column) {
        if (sheet->cell(0, column).isEmpty()) std::abort();
    }
}

} // namespace tagloom::fuzz
