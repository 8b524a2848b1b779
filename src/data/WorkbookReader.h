// The Excel 97-2003 workbook reader: the sheet named sheet1 as texts.
#pragma once

#include "CellTexts.h"
#include "Sheet.h"

#include <QByteArray>

namespace tagloom {

class WorkbookReader
{
public:
    // The sheet named sheet1 (any letter case) of an Excel 97-2003 workbook given as the bytes of
    // its file; throws WorkbookError.
    static Sheet readSheet1(const QByteArray &fileBytes, CellTexts texts);
};

} // namespace tagloom
