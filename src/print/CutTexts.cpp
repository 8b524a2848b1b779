// Finding the texts that run past the label, measured as the painter draws them.
#include "CutTexts.h"

#include "canvas/LabelDesign.h"
#include "canvas/TextMetrics.h"
#include "data/DataTable.h"

#include <QStringList>
#include <cmath>

namespace tagloom {

namespace {

constexpr size_t rowsNamed = 5; // per column; the others are counted
constexpr size_t columnsNamed = 10;

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

} // namespace

std::vector<CutTexts::Column> CutTexts::find(
    const LabelDesign &design, const DataTable &table, int first, int last)
{
    const QSizeF label(design.scaleWidth(), design.scaleHeight());
    std::vector<Column> cut;
    for (int column = 1; column < design.fieldCount() && column < table.cols(); ++column) {
        const FieldItem &item = design.field(column);
        if (!item.visible) continue;
        const QFont font = item.font.toQFont();
        TextWidthMeter width(font);
        const double lineHeight = TextMetrics::captionSize(QString(), font).height();
        Column found {column, 0, {}};
        for (int row = first; row <= last; ++row) {
            const QString &text = table.cell(row, column);
            if (text.isEmpty()) continue;
            QSizeF size;
            bool severalLines = true;
            if (item.box.isSet()) {
                // Wrapped or shrunk into its width: only a box past the edge cuts it.
                size = item.box.layOut(text, item.font).size;
            } else {
                const bool plain
                    = !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\t'));
                size = plain ? QSizeF(width(text), lineHeight)
                             : TextMetrics::captionSize(text, font);
                // The quick width leaves out kerning: a text ending near the edge is measured as
                // drawn.
                if (plain
                    && std::abs(item.left + size.width() - label.width()) < 0.03 * size.width())
                    size = TextMetrics::captionSize(text, font);
                severalLines = !plain;
            }
            if (!runsPast(item, size, severalLines, label)) continue;
            if (found.firstRows.size() < rowsNamed) found.firstRows.push_back(row);
            ++found.rows;
        }
        if (found.rows > 0) cut.push_back(std::move(found));
    }
    return cut;
}

QString CutTexts::describe(
    const std::vector<Column> &columns, const std::function<QString(int)> &columnName)
{
    QStringList lines;
    for (const Column &column : columns) {
        if (lines.size() == columnsNamed) {
            lines << QStringLiteral("……另有%1列").arg(columns.size() - columnsNamed);
            break;
        }
        QStringList rows;
        for (const int row : column.firstRows)
            rows << QString::number(row);
        lines << QStringLiteral("%1：第%2行%3")
                     .arg(columnName(column.column), rows.join(QStringLiteral("、")),
                         column.rows > int(column.firstRows.size())
                             ? QStringLiteral("等共%1行").arg(column.rows)
                             : QString());
    }
    return QStringLiteral("下列文字超出了标签的边缘，打印出来会被截掉：\n") + lines.join('\n');
}

} // namespace tagloom
