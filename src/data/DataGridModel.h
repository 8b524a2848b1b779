// Shows the data table in a table view: row 0 of the table as the column headers and column 0 as
// the row headers, so that they stay fixed while the data scrolls. Read-only.
#pragma once

#include "Module1.h"

#include <QAbstractTableModel>

namespace tagloom {

class DataTable;

class DataGridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DataGridModel(DataTable &table, QObject *parent = nullptr);

    // Measures cell texts as the column fitting does: a cell too wide for its column shows its
    // whole text as a tooltip.
    void setTextWidth(Module1::TextWidth textWidth) { textWidth_ = std::move(textWidth); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    DataTable &table_;
    Module1::TextWidth textWidth_;
};

} // namespace tagloom
