// Gathers the non-empty cells of a worksheet and lays them out as a Sheet.
#include "SheetBuilder.h"

#include "WorkbookError.h"

#include <algorithm>

namespace tagloom {

void SheetBuilder::setCell(quint16 row, quint16 column, QString text)
{
    constexpr quint16 maxColumns = 256;
    if (column >= maxColumns) throw WorkbookError::damaged();
    if (text.isEmpty()) return;
    rowCount_ = std::max(rowCount_, row + 1);
    columnCount_ = std::max(columnCount_, column + 1);
    cells_.push_back({row, column, std::move(text)});
}

Sheet SheetBuilder::build()
{
    const auto columns = std::size_t(columnCount_);
    std::vector<QString> grid(std::size_t(rowCount_) * columns);
    for (Cell &cell : cells_)
        grid[cell.row * columns + cell.column] = std::move(cell.text);
    cells_.clear();
    for (std::size_t column = 0; column < columns; ++column) {
        if (grid[column].isEmpty()) grid[column] = QLatin1Char('F') + QString::number(column + 1);
    }
    return Sheet(columnCount_, std::move(grid));
}

} // namespace tagloom
