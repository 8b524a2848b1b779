// The field texts a print run would cut: for the rows of a range, the shown field items whose
// text runs past the label's edge. The run names them before the first page, so the person can
// stop and make room.
#pragma once

#include <QString>
#include <functional>
#include <vector>

namespace tagloom {

class DataTable;
class LabelDesign;

class CutTexts
{
public:
    // The rows of one column whose text is cut: how many, and the first few of them.
    struct Column
    {
        int column;
        int rows = 0;
        std::vector<int> firstRows;
    };

    // Rows first to last, all of them in the table; the columns in order.
    static std::vector<Column> find(
        const LabelDesign &design, const DataTable &table, int first, int last);

    // The columns by their names, each with its rows, one line each.
    static QString describe(
        const std::vector<Column> &columns, const std::function<QString(int)> &columnName);
};

} // namespace tagloom
