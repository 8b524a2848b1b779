// Shows the data table in a table view: row 0 of the table as the column headers and column 0 as
// the row headers, so that they stay fixed while the data scrolls. Read-only.
#pragma once

#include <QAbstractTableModel>

namespace tagloom {

class DataTable;

class DataGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DataGridModel(DataTable &table, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    DataTable &table_;
};

} // namespace tagloom
