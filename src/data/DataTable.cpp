// The data table: binding an imported sheet, numbering its rows and keeping column widths.
#include "DataTable.h"

namespace tagloom {

DataTable::DataTable()
    : rowNumbers_(2)
    , fields_(2)
    , colWidths_(2, defaultColWidth)
{
}

const QString &DataTable::cell(int row, int col) const
{
    Q_ASSERT(contains(row, col));
    if (col == 0) return rowNumbers_[static_cast<size_t>(row)];
    return fields_[static_cast<size_t>(row) * static_cast<size_t>(cols_ - 1)
        + static_cast<size_t>(col - 1)];
}

void DataTable::bind(int fieldCount, std::vector<QString> fieldsAndRecords)
{
    Q_ASSERT(fieldCount > 0 && fieldsAndRecords.size() % static_cast<size_t>(fieldCount) == 0);
    const size_t sourceRows = fieldsAndRecords.size() / static_cast<size_t>(fieldCount);
    // Everything that allocates comes first: out of memory leaves the old table whole.
    std::vector<QString> rowNumbers(sourceRows);
    std::vector<Twips> colWidths(static_cast<size_t>(fieldCount) + 1, defaultColWidth);
    rows_ = static_cast<int>(sourceRows);
    cols_ = fieldCount + 1;
    fields_ = std::move(fieldsAndRecords);
    rowNumbers_ = std::move(rowNumbers);
    colWidths_ = std::move(colWidths);
    hasSheet_ = true;
    emit reset();
}

bool DataTable::numberRows()
{
    if (rows_ < 2) return false;
    for (int row = 1; row < rows_; ++row)
        rowNumbers_[static_cast<size_t>(row)] = QString::number(row);
    emit rowNumbersWritten();
    return true;
}

void DataTable::setColWidth(int col, Twips width)
{
    colWidths_.at(static_cast<size_t>(col)) = width;
    emit colWidthChanged(col);
}

} // namespace tagloom
