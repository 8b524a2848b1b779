// Gathers the non-empty cells of a worksheet and lays them out as a Sheet.
#include "data/SheetBuilder.h"

#include "data/WorkbookError.h"

#include <algorithm>

namespace tagloom {

void SheetBuilder::setCell(quint16 row, quint16 column, QString text)
{
    constexpr quint16 maxColumns = 256;
    if (column >= maxColumns) throw WorkbookError::damaged();
    if (text.isEmpty()) return;
    m_rowCount = std::max(m_rowCount, row + 1);
    m_columnCount = std::max(m_columnCount, column + 1);
    m_cells.push_back({row, column, std::move(text)});
}

Sheet SheetBuilder::build()
{
    const auto columns = std::size_t(m_columnCount);
    std::vector<QString> grid(std::size_t(m_rowCount) * columns);
    for (Cell &cell : m_cells)
        grid[cell.row * columns + cell.column] = std::move(cell.text);
    m_cells.clear();
    for (std::size_t column = 0; column < columns; ++column) {
        if (grid[column].isEmpty()) grid[column] = QLatin1Char('F') + QString::number(column + 1);
    }
    return Sheet(m_columnCount, std::move(grid));
}

} // namespace tagloom
