// Gathers the non-empty cells of a worksheet and lays them out as a Sheet.
#include "SheetBuilder.h"

#include "WorkbookError.h"

#include <algorithm>

namespace tagloom {

void SheetBuilder::checkCellLength(qint64 length)
{
    if (length > maxCellLength) throw WorkbookError::cellTooLong();
}

void SheetBuilder::setCell(qint64 row, qint64 column, QString text)
{
    if (text.isEmpty()) return;
    checkCellLength(text.size());
    if (row < 0 || column < 0 || row >= maxRows || column >= maxColumns)
        throw WorkbookError::tooLarge();
    const qint64 rows = std::max(rowCount_, row + 1);
    const qint64 columns = std::max(columnCount_, column + 1);
    // Cells set again count too: they take room until the table is laid out.
    if (rows * columns > cellBudget || qint64(cells_.size()) >= cellBudget)
        throw WorkbookError::tooLarge();
    if (textLength_ + text.size() > maxTextLength) throw WorkbookError::tooMuchText();
    textLength_ += text.size();
    rowCount_ = rows;
    columnCount_ = columns;
    cells_.push_back({int(row), int(column), std::move(text)});
}

Sheet SheetBuilder::build()
{
    const auto columns = std::size_t(columnCount_);
    std::vector<QString> grid(std::size_t(rowCount_) * columns);
    for (Cell &cell : cells_)
        grid[std::size_t(cell.row) * columns + std::size_t(cell.column)] = std::move(cell.text);
    cells_.clear();
    for (std::size_t column = 0; column < columns; ++column) {
        if (grid[column].isEmpty()) grid[column] = QLatin1Char('F') + QString::number(column + 1);
    }
    return Sheet(int(columnCount_), std::move(grid));
}

} // namespace tagloom
