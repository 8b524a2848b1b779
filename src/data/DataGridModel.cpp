// The data table as a read-only Qt item model with its first row and column as headers.
#include "DataGridModel.h"

#include "DataTable.h"

namespace tagloom {

DataGridModel::DataGridModel(DataTable &table, QObject *parent)
    : QAbstractTableModel(parent)
    , table_(table)
{
    connect(&table, &DataTable::reset, this, [this] {
        beginResetModel();
        endResetModel();
    });
    connect(&table, &DataTable::rowNumbersWritten, this,
        [this] { emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1); });
}

int DataGridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_.rows() - 1;
}

int DataGridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table_.cols() - 1;
}

QVariant DataGridModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int col = index.column() + 1;
    if (role == Qt::DisplayRole) return table_.cell(row, col);
    // A twip spared for the width's rounding: the widest text of a fitted column fits.
    if (role == Qt::ToolTipRole && textWidth_
        && textWidth_(table_.cell(row, col)) + Module1::cellMargin > table_.colWidth(col) + 1)
        return table_.cell(row, col);
    return {};
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole) return {};
    return orientation == Qt::Horizontal ? table_.cell(0, section + 1)
                                         : table_.cell(section + 1, 0);
}

} // namespace tagloom
