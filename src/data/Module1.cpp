// Fitting the data grid's columns to their widest texts, and narrowing those that crowd out the
// others.
#include "Module1.h"

#include "DataTable.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace tagloom::Module1 {

void FitGridColumns(const TextWidth &surface, DataTable &grid, double extraMargin)
{
    for (int col = 0; col < grid.cols(); ++col) {
        if (grid.colWidth(col) == 0) continue;
        double widest = 0;
        for (int row = 0; row < grid.rows(); ++row)
            widest = std::max(widest, surface(grid.cell(row, col)));
        grid.setColWidth(col, static_cast<Twips>(widest + extraMargin + cellMargin));
    }
}

void CapGridColumns(DataTable &grid, double room)
{
    std::vector<Twips> widths;
    for (int col = 1; col < grid.cols(); ++col) {
        if (grid.colWidth(col) != 0) widths.push_back(grid.colWidth(col));
    }
    std::sort(widths.begin(), widths.end());
    // The narrowest columns keep their widths as long as the others' share of what is left is
    // wider than they are.
    double left = room;
    double cap = std::numeric_limits<double>::infinity();
    for (size_t narrower = 0; narrower < widths.size(); ++narrower) {
        const double share = left / static_cast<double>(widths.size() - narrower);
        if (widths[narrower] > share) {
            cap = std::max(share, room / 3);
            break;
        }
        left -= widths[narrower];
    }
    for (int col = 1; col < grid.cols(); ++col) {
        if (grid.colWidth(col) > cap) grid.setColWidth(col, static_cast<Twips>(cap));
    }
}

} // namespace tagloom::Module1
