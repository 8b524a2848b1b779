// Reading the quantity column of a print run's rows.
#include "LabelQuantities.h"

#include "canvas/NumberText.h"
#include "data/DataTable.h"

#include <cmath>
#include <numeric>

namespace tagloom {

std::optional<int> LabelQuantities::parse(const QString &cell)
{
    if (cell.trimmed().isEmpty()) return 1;
    // A number cell the workbook formats as "3.00" is three labels all the same.
    const std::optional<double> value = NumberText::toDouble(cell);
    if (!value || *value < 0 || *value > most || std::floor(*value) != *value) return std::nullopt;
    return static_cast<int>(*value);
}

LabelQuantities::LabelQuantities(int first, int last)
    : first_(first)
    , last_(last)
{
}

bool LabelQuantities::read(const DataTable &table, const QString &header, QString *problem)
{
    int column = 1;
    while (column < table.cols() && table.cell(0, column) != header)
        ++column;
    if (column >= table.cols()) {
        *problem = QStringLiteral("数据表中没有份数列“%1”：请重新选择份数列。").arg(header);
        return false;
    }
    std::vector<int> counts;
    counts.reserve(static_cast<size_t>(std::max(0, last_ - first_ + 1)));
    for (int row = first_; row <= last_; ++row) {
        const QString &cell = table.cell(row, column);
        const std::optional<int> count = parse(cell);
        if (!count) {
            constexpr qsizetype longestQuoted = 20;
            const QString quoted = cell.size() > longestQuoted
                ? cell.first(longestQuoted) + QStringLiteral("…")
                : cell;
            *problem = QStringLiteral("第%1行“%2”列的份数“%3”不是0到%4之间的整数。")
                           .arg(row)
                           .arg(header, quoted)
                           .arg(most);
            return false;
        }
        counts.push_back(*count);
    }
    counts_ = std::move(counts);
    return true;
}

qint64 LabelQuantities::total() const
{
    if (counts_.empty()) return std::max(0, last_ - first_ + 1);
    return std::accumulate(counts_.begin(), counts_.end(), qint64(0));
}

} // namespace tagloom
