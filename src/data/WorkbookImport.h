// Imports the sheet "sheet1" of the workbook named in Text2 into the data table: binds it, numbers
// the rows, offers the headers in both source choosers, shows the data source window with fitted
// columns and ends the print range at the last row. The data file command and layout loading
// share it; only the data file command then enables the generate command.
#pragma once

#include "CellTexts.h"

#include <QString>
#include <QStringList>

namespace tagloom {

class Workspace;

class WorkbookImport
{
public:
    // False, with a reason, when the import ended early; the steps done before stay done.
    static bool run(
        Workspace &workspace, QString *reason = nullptr, CellTexts texts = CellTexts::Shown);

    // File name patterns of the data files the import reads.
    static QStringList filePatterns();
};

} // namespace tagloom
