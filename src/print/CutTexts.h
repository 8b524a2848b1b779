// The texts a print run would cut: for the rows of a range, the shown field and text items whose
// text runs past the label's edge. The run names them before the first page, so the person can
// stop and make room.
#pragma once

#include <QDateTime>
#include <QString>
#include <vector>

namespace tagloom {

class DataTable;
class LabelContent;
class LabelDesign;

class CutTexts
{
public:
    // The rows of one item whose text is cut: the item's name, how many rows, the first few.
    struct Item
    {
        QString name;
        int rows = 0;
        std::vector<int> firstRows;
    };

    // Rows first to last, all of them in the table, each as its first label of a run that began
    // at `time`; the field items in their columns' order, then the text items.
    static std::vector<Item> find(const LabelDesign &design, const DataTable &table,
        const LabelContent &content, int first, int last, const QDateTime &time);

    // The items by their names, each with its rows, one line each.
    static QString describe(const std::vector<Item> &items);
};

} // namespace tagloom
