// Gathers the non-empty cells of a worksheet and lays them out as a Sheet.
#pragma once

#include "Sheet.h"

#include <QString>
#include <vector>

namespace tagloom {

class SheetBuilder
{
public:
    // Empty texts are left out, so they widen nothing. A cell set twice keeps the later text.
    // Throws WorkbookError::damaged() for a column past the 256 of an Excel 97-2003 sheet.
    void setCell(quint16 row, quint16 column, QString text);

    // From A1 to the last row and column holding a non-empty cell; the header row names its
    // empty cells F<column number>. An empty worksheet gives the single header F1.
    Sheet build();

private:
    struct Cell
    {
        quint16 row;
        quint16 column;
        QString text;
    };

    std::vector<Cell> cells_;
    int rowCount_ = 1;
    int columnCount_ = 1;
};

} // namespace tagloom
