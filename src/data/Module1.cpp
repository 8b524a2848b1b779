// Fitting the data grid's columns to their widest texts.
#include "Module1.h"

#include "DataTable.h"

namespace tagloom::Module1 {

void FitGridColumns(const TextWidth &surface, DataTable &grid, double extraMargin)
{
    for (int col = 0; col < grid.cols(); ++col) {
        if (grid.colWidth(col) == 0) continue;
        double widest = 0;
        for (int row = 0; row < grid.rows(); ++row)
            widest = std::max(widest, surface(grid.cell(row, col)));
        grid.setColWidth(col, static_cast<Twips>(widest + extraMargin + 100));
    }
}

} // namespace tagloom::Module1
