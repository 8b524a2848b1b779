// Reads the sheet named sheet1 of an .xlsx workbook (Office Open XML): finds it through the
// workbook and its relationships, then streams its cells with the styles and shared strings.
#pragma once

#include "CellTexts.h"
#include "Sheet.h"

namespace tagloom {

class ZipArchive;

class XlsxReader
{
public:
    // Whether a zip archive is an Office Open XML package (it has package relationships).
    static bool recognises(const ZipArchive &archive);
    // Throws WorkbookError: binaryWorkbook() for an .xlsb, noWorkbookInZip() for a package that
    // holds another kind of document, noSheet1(), damaged(), ...
    static Sheet readSheet1(const ZipArchive &archive, CellTexts texts);
};

} // namespace tagloom
