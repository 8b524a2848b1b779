// One worksheet as texts, the form in which a workbook reaches the data table.
#include "Sheet.h"

#include <QtGlobal>
#include <utility>

namespace tagloom {

Sheet::Sheet(int columnCount, std::vector<QString> cells)
    : columnCount_(columnCount)
    , cells_(std::move(cells))
{
    Q_ASSERT(columnCount > 0);
    Q_ASSERT(cells_.size() % std::size_t(columnCount) == 0);
}

int Sheet::columnCount() const
{
    return columnCount_;
}

int Sheet::rowCount() const
{
    return int(cells_.size() / std::size_t(columnCount_));
}

const QString &Sheet::cell(int row, int column) const
{
    Q_ASSERT(row >= 0 && row < rowCount() && column >= 0 && column < columnCount_);
    return cells_[std::size_t(row) * std::size_t(columnCount_) + std::size_t(column)];
}

std::vector<QString> Sheet::takeCells()
{
    return std::exchange(cells_, {});
}

} // namespace tagloom
