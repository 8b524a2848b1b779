// How many labels each row of a print run gets: one, or the number in the row's cell of the
// quantity column ("份数列"), which the copies of each label then multiply. An empty cell means
// one label; 0 leaves the row out.
#pragma once

#include <QString>
#include <optional>
#include <vector>

namespace tagloom {

class DataTable;

class LabelQuantities
{
public:
    static constexpr int most = 10000;

    // The labels a quantity cell asks for; nothing for text that is no whole number from 0 to
    // `most`.
    static std::optional<int> parse(const QString &cell);

    // One label for each of the rows `first` to `last`.
    LabelQuantities(int first, int last);

    // Takes the rows' quantities from the column headed `header`; false, saying which column or
    // row is wrong in `problem`, when the table has no such column or a row's cell is no
    // quantity.
    bool read(const DataTable &table, const QString &header, QString *problem);

    int of(int row) const
    {
        return counts_.empty() ? 1 : counts_[static_cast<size_t>(row - first_)];
    }
    // The labels of all the rows.
    qint64 total() const;

private:
    int first_;
    int last_;
    std::vector<int> counts_; // by row from first_; empty: one each
};

} // namespace tagloom
