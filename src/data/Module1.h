// Column fitting of the data grid: every visible column as wide as its widest text plus a margin.
#pragma once

#include <QString>
#include <functional>

namespace tagloom {

class DataTable;

namespace Module1 {

// Width in twips of a text drawn in the measuring window's current font.
using TextWidth = std::function<double(const QString &)>;

// Sets every column whose width is not 0 to the width of its widest cell text, the header row
// included, plus `extraMargin` plus 100 twips. Columns of width 0 stay hidden.
void FitGridColumns(const TextWidth &surface, DataTable &grid, double extraMargin);

} // namespace Module1
} // namespace tagloom
