// Gathers the non-empty cells of a worksheet and lays them out as a Sheet: the table rules that
// every reader shares.
#pragma once

#include "Sheet.h"

#include <QString>
#include <QtGlobal>
#include <deque>

namespace tagloom {

class SheetBuilder
{
public:
    // The sheet size of today's spreadsheet programs, and a budget of table cells (as many as the
    // largest Excel 97-2003 sheet, 65,536 x 256), so that two cells far apart cannot make the
    // table allocate billions.
    static constexpr qint64 maxRows = 1048576;
    static constexpr qint64 maxColumns = 16384;
    static constexpr qint64 cellBudget = 16777216;
    // No label prints a cell of a million characters, nor does any table of labels need 512 MB of
    // text. The table's text is counted cell by cell, as those who take the table go through it
    // (a TSV, the grid's column fitting): cells that share one string in memory (a repeated .ods
    // cell, a shared string) each count it.
    static constexpr qint64 maxCellLength = 1048576;
    static constexpr qint64 maxTextLength = 268435456;

    // Throws WorkbookError::cellTooLong() past maxCellLength: for readers that build a cell's text
    // bit by bit.
    static void checkCellLength(qint64 length);

    // Empty texts are left out, so they widen nothing. A cell set twice keeps the later text.
    // Throws WorkbookError: tooLarge() for a cell outside the limits above, cellTooLong(),
    // tooMuchText().
    void setCell(qint64 row, qint64 column, QString text);

    // From A1 to the last row and column holding a non-empty cell; the header row names its
    // empty cells F<column number>. An empty worksheet gives the single header F1.
    Sheet build();

private:
    struct Cell
    {
        int row;
        int column;
        QString text;
    };

    std::deque<Cell> cells_; // grows without moving what it holds
    qint64 rowCount_ = 1;
    qint64 columnCount_ = 1;
    qint64 textLength_ = 0; // of every cell set, those set again included
};

} // namespace tagloom
