// The data source window: the data table in a read-only grid with one fixed row and column.
#pragma once

#include "app/ClosableWindow.h"

class QTableView;

namespace tagloom {

class DataGridModel;
class DataTable;

class Form3 : public ClosableWindow
{
    Q_OBJECT

public:
    explicit Form3(DataTable &table);

    DataTable &table() { return *table_; }
    QTableView *grid() { return grid_; }

    // Fits the grid's columns, measured in this window's font, with no extra margin; columns
    // that would crowd the others out of sight are narrowed.
    void Command1_Click();

    // Cuts the window off its table, which goes away when the window is closed.
    void detach();

signals:
    // A data row (from 1) was clicked, in a cell or by its number.
    void rowClicked(int row);

private:
    void applyColWidth(int col);
    void applyAllColWidths();

    DataTable *table_;
    DataGridModel *model_;
    QTableView *grid_;
};

} // namespace tagloom
