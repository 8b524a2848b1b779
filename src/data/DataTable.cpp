#include "DataTable.h"

namespace tagloom {

DataTable::DataTable()
    : cells_(4)
    , colWidths_(2, defaultColWidth)
{
}

const QString &DataTable::cell(int row, int col) const
{
    Q_ASSERT(contains(row, col));
    return cells_[static_cast<size_t>(row) * cols_ + col];
}

void DataTable::bind(int fieldCount, std::vector<QString> fieldsAndRecords)
{
    Q_ASSERT(fieldCount > 0 && fieldsAndRecords.size() % static_cast<size_t>(fieldCount) == 0);
    const size_t sourceRows = fieldsAndRecords.size() / static_cast<size_t>(fieldCount);
    rows_ = static_cast<int>(sourceRows);
    cols_ = fieldCount + 1;
    cells_.assign(sourceRows * static_cast<size_t>(cols_), QString());
    for (size_t row = 0; row < sourceRows; ++row) {
        auto from = fieldsAndRecords.begin() + static_cast<std::ptrdiff_t>(row * static_cast<size_t>(fieldCount));
        auto to = cells_.begin() + static_cast<std::ptrdiff_t>(row * static_cast<size_t>(cols_) + 1);
        std::move(from, from + fieldCount, to);
    }
    colWidths_.assign(static_cast<size_t>(cols_), defaultColWidth);
    emit reset();
}

bool DataTable::numberRows()
{
    if (rows_ < 2)
        return false;
    for (int row = 1; row < rows_; ++row)
        mutableCell(row, 0) = QString::number(row);
    emit rowNumbersWritten();
    return true;
}

void DataTable::setColWidth(int col, Twips width)
{
    colWidths_.at(static_cast<size_t>(col)) = width;
    emit colWidthChanged(col);
}

} // namespace tagloom
