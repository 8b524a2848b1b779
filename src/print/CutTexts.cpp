// Finding the texts that run past the label, measured as the painter draws them.
#include "CutTexts.h"

#include "canvas/LabelContent.h"
#include "canvas/LabelDesign.h"
#include "canvas/QuotedText.h"
#include "canvas/TextMetrics.h"
#include "data/DataTable.h"

#include <QStringList>
#include <cmath>
#include <functional>

namespace tagloom {

namespace {

constexpr size_t rowsNamed = 5; // per item; the others are counted
constexpr size_t itemsNamed = 10;

// Whether the item's text, as wide and high as measured, is cut by the label's edges. A text
// wholly off the label prints nothing, as the canvas shows; a single line's height is the same for
// every row, so only texts of several lines can run past the top or bottom for their data.
bool runsPast(const FieldItem &item, const QSizeF &text, bool severalLines, const QSizeF &label)
{
    const QRectF box(QPointF(item.left, item.top), text);
    const QRectF shown(QPointF(0, 0), label);
    if (!box.intersects(shown)) return false;
    const bool across = box.left() < 0 || box.right() > shown.right();
    const bool down = severalLines && (box.top() < 0 || box.bottom() > shown.bottom());
    return across || down;
}

// Measures one item's texts row by row, as the painter lays them out.
class ItemTexts
{
public:
    ItemTexts(const FieldItem &item, const QSizeF &label)
        : item_(item)
        , label_(label)
        , font_(item.font.toQFont())
        , width_(font_)
        , lineHeight_(TextMetrics::captionSize(QString(), font_).height())
    {
    }

    bool isCut(const QString &text)
    {
        if (text.isEmpty()) return false;
        // Wrapped or shrunk into its width: only a box past the edge cuts it.
        if (item_.box.isSet())
            return runsPast(item_, item_.box.layOut(text, item_.font).size, true, label_);
        const bool plain = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\t'));
        QSizeF size
            = plain ? QSizeF(width_(text), lineHeight_) : TextMetrics::captionSize(text, font_);
        // The quick width leaves out kerning: a text ending near the edge is measured as drawn.
        if (plain && std::abs(item_.left + size.width() - label_.width()) < 0.03 * size.width())
            size = TextMetrics::captionSize(text, font_);
        return runsPast(item_, size, !plain, label_);
    }

private:
    const FieldItem &item_;
    QSizeF label_;
    QFont font_;
    TextWidthMeter width_;
    double lineHeight_;
};

// The rows first to last whose text `textOf` gives is cut, for one item.
CutTexts::Item cutRows(const FieldItem &item, const QSizeF &label, const QString &name, int first,
    int last, const std::function<QString(int)> &textOf)
{
    ItemTexts texts(item, label);
    CutTexts::Item found {name, 0, {}};
    for (int row = first; row <= last; ++row) {
        if (!texts.isCut(textOf(row))) continue;
        if (found.firstRows.size() < rowsNamed) found.firstRows.push_back(row);
        ++found.rows;
    }
    return found;
}

} // namespace

std::vector<CutTexts::Item> CutTexts::find(const LabelDesign &design, const DataTable &table,
    const LabelContent &content, int first, int last, const QDateTime &time)
{
    const QSizeF label(design.scaleWidth(), design.scaleHeight());
    std::vector<Item> cut;
    const auto keep = [&cut](Item found) {
        if (found.rows > 0) cut.push_back(std::move(found));
    };
    for (int column = 1; column < design.fieldCount() && column < table.cols(); ++column) {
        if (!design.field(column).visible) continue;
        keep(cutRows(design.field(column), label, content.columnName(column), first, last,
            [&](int row) { return table.cell(row, column); }));
    }
    for (int index = 0; index < design.textItemCount(); ++index) {
        const FieldItem &item = design.textItem(index);
        if (!item.visible) continue;
        keep(cutRows(item, label,
            QStringLiteral("文本“%1”").arg(QuotedText::shortened(item.caption)), first, last,
            [&](int row) {
                return content.textItemText(index, {row, 0, time});
            }));
    }
    return cut;
}

QString CutTexts::describe(const std::vector<Item> &items)
{
    QStringList lines;
    for (const Item &item : items) {
        if (lines.size() == itemsNamed) {
            lines << QStringLiteral("……另有%1项").arg(items.size() - itemsNamed);
            break;
        }
        QStringList rows;
        for (const int row : item.firstRows)
            rows << QString::number(row);
        lines << QStringLiteral("%1：第%2行%3")
                     .arg(item.name, rows.join(QStringLiteral("、")),
                         item.rows > int(item.firstRows.size())
                             ? QStringLiteral("等共%1行").arg(item.rows)
                             : QString());
    }
    return QStringLiteral("下列文字超出了标签的边缘，打印出来会被截掉：\n") + lines.join('\n');
}

} // namespace tagloom
