// Column fitting of the data grid: every visible column as wide as its widest text plus a margin,
// the widest narrowed where they would crowd the others out of sight.
#pragma once

#include <QString>
#include <functional>

namespace tagloom {

class DataTable;

namespace Module1 {

// Width in twips of a text drawn in the measuring window's current font.
using TextWidth = std::function<double(const QString &)>;

// What a fitted column has beside its widest text, in twips.
inline constexpr double cellMargin = 100;

// Sets every column whose width is not 0 to the width of its widest cell text, the header row
// included, plus `extraMargin` plus cellMargin. Columns of width 0 stay hidden.
void FitGridColumns(const TextWidth &surface, DataTable &grid, double extraMargin);

// Narrows the widest data columns so that the others stay in sight beside them in `room`, the
// grid's width in twips beside the row numbers: they share what the narrower columns leave alike,
// but never get less than a third of the room. When all columns fit, none changes; the row
// number column and hidden columns never do.
void CapGridColumns(DataTable &grid, double room);

} // namespace Module1
} // namespace tagloom
