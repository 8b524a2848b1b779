// Reads the table named sheet1 of an .ods spreadsheet (OpenDocument) from its content.xml:
// repeated rows and cells, covered (merged) cells, and each cell's value by its value type.
#pragma once

#include "Sheet.h"
#include "SheetBuilder.h"

#include <QString>
#include <utility>
#include <vector>

class QXmlStreamReader;

namespace tagloom {

class ZipArchive;

class OdsReader
{
public:
    // Whether a zip archive is an OpenDocument package (it has a content.xml).
    static bool recognises(const ZipArchive &archive);
    // Throws WorkbookError: notSpreadsheetDocument() for a text or drawing document,
    // noSheet1(), damaged(), tooLarge(), ...
    static Sheet readSheet1(const ZipArchive &archive);

private:
    void readTable(QXmlStreamReader &xml);
    void readRow(QXmlStreamReader &xml);

    SheetBuilder builder_;
    qint64 row_ = 0;
    std::vector<std::pair<qint64, QString>> rowCells_; // the non-empty cells of the current row
};

} // namespace tagloom
