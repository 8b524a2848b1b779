// The data table: the imported sheet as texts addressed (row, column). Row 0 holds the headers from
// column 1 on, column 0 the row numbers, and cell (r, c) the value of column c in data row r.
#pragma once

#include "canvas/Twips.h"

#include <QObject>
#include <QString>
#include <vector>

namespace tagloom {

class DataTable : public QObject
{
    Q_OBJECT

public:
    // The shape before any import: 2 rows, 2 columns, all cells empty.
    DataTable();

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    bool contains(int row, int col) const
    {
        return row >= 0 && row < rows_ && col >= 0 && col < cols_;
    }
    const QString &cell(int row, int col) const;

    // Replaces the whole table by a query result: its field names in row 0 from column 1 on, its
    // records in rows 1 and up, column 0 blank, default column widths.
    // `fieldsAndRecords` is row-major, `fieldCount` cells per row, the field names first; the
    // table keeps it as it is, so a large sheet is never copied.
    void bind(int fieldCount, std::vector<QString> fieldsAndRecords);

    // Whether a sheet was bound since the table came into existence.
    bool hasSheet() const { return hasSheet_; }

    // Writes the row numbers 1 .. rows - 1 into column 0; false when there is no data row.
    bool numberRows();

    Twips colWidth(int col) const { return colWidths_.at(static_cast<size_t>(col)); }
    void setColWidth(int col, Twips width);

    static constexpr Twips defaultColWidth = 960;

signals:
    void reset(); // shape and every cell replaced
    void rowNumbersWritten(); // column 0 filled
    void colWidthChanged(int col);

private:
    int rows_ = 2;
    int cols_ = 2;
    bool hasSheet_ = false;
    std::vector<QString> rowNumbers_; // column 0
    std::vector<QString> fields_; // columns 1 and up, row by row
    std::vector<Twips> colWidths_;
};

} // namespace tagloom
