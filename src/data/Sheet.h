// One worksheet as texts, the form in which a workbook reaches the data table.
#pragma once

#include <QString>
#include <vector>

namespace tagloom {

// One worksheet as texts: row 0 holds the field names (empty header cells already named F<n>),
// rows 1.. the records in sheet order; every row has columnCount() cells.
class Sheet
{
public:
    Sheet(int columnCount,
        std::vector<QString> cells); // cells row-major, size a multiple of columnCount
    int columnCount() const;
    int rowCount() const; // header row included
    const QString &cell(int row, int column) const;
    std::vector<QString> takeCells(); // moves the cells out (the data table takes them)

private:
    int columnCount_;
    std::vector<QString> cells_;
};

} // namespace tagloom
