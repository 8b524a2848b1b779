// Entry point of the Excel 97-2003 workbook reader: the sheet named sheet1 as texts.
#pragma once

#include "Sheet.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tagloom {

class WorkbookReader
{
public:
    // The sheet named sheet1 (any letter case) of an Excel 97-2003 workbook, or nullopt with a
    // reason.
    static std::optional<Sheet> readSheet1(const QString &path, QString *reason);
    // The same from the bytes of a file (used by the fuzzer).
    static std::optional<Sheet> readSheet1(const QByteArray &fileBytes, QString *reason);
};

} // namespace tagloom
