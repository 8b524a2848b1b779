// One worksheet as texts, the form in which a workbook reaches the data table.
#include "data/Sheet.h"

#include <QtGlobal>
#include <utility>

namespace tagloom {

Sheet::Sheet(int columnCount, std::vector<QString> cells)
    : m_columnCount(columnCount)
    , m_cells(std::move(cells))
{
    Q_ASSERT(columnCount > 0);
    Q_ASSERT(m_cells.size() % std::size_t(columnCount) == 0);
}

int Sheet::columnCount() const
{
    return m_columnCount;
}

int Sheet::rowCount() const
{
    return int(m_cells.size() / std::size_t(m_columnCount));
}

const QString &Sheet::cell(int row, int column) const
{
    Q_ASSERT(row >= 0 && row < rowCount() && column >= 0 && column < m_columnCount);
    return m_cells[std::size_t(row) * std::size_t(m_columnCount) + std::size_t(column)];
}

std::vector<QString> Sheet::takeCells()
{
    return std::exchange(m_cells, {});
}

} // namespace tagloom
