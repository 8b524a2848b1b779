// The page of a label on a printer.
#include "PageGeometry.h"

#include <QRegularExpression>
#include <cmath>

namespace tagloom {

namespace {

constexpr double millimetresPerPoint = 25.4 / 72;

bool fitsIn(const QSizeF &label, const QSizeF &room)
{
    return label.width() <= room.width() + PageGeometry::fitTolerance
        && label.height() <= room.height() + PageGeometry::fitTolerance;
}

QString millimetres(const QSizeF &points)
{
    return QStringLiteral("%1 × %2 毫米")
        .arg(points.width() * millimetresPerPoint, 0, 'f', 1)
        .arg(points.height() * millimetresPerPoint, 0, 'f', 1);
}

} // namespace

std::optional<PagePlan> PageGeometry::plan(
    const QSizeF &labelSize, const PrinterPaper &paper, QString *refusal)
{
    const PrinterMedia &media = paper.defaultMedia;
    const QMarginsF &margins = media.margins;
    const QSizeF printable(media.size.width() - margins.left() - margins.right(),
        media.size.height() - margins.top() - margins.bottom());
    if (fitsIn(labelSize, printable))
        return PagePlan {
            media.size, QPointF(margins.left(), margins.top()), media.option, media.value};

    if (paper.custom && fitsIn(labelSize, paper.custom->largest)) {
        const QSizeF page(std::max(labelSize.width(), paper.custom->smallest.width()),
            std::max(labelSize.height(), paper.custom->smallest.height()));
        // Asked for under the option that gave the default, which would otherwise win over it;
        // points are CUPS's unit for custom sizes when none is given, a hundredth of one is less
        // than a dot of any printer.
        const auto points = [](double value) {
            return QString::number(value, 'f', 2)
                .remove(QRegularExpression(QStringLiteral("\\.?0+$")));
        };
        return PagePlan {page, QPointF(0, 0), media.option,
            QStringLiteral("Custom.%1x%2").arg(points(page.width()), points(page.height()))};
    }

    if (paper.custom)
        *refusal = QStringLiteral("标签（%1）比打印机能用的最大纸张（%2）还大")
                       .arg(millimetres(labelSize), millimetres(paper.custom->largest));
    else if (printable == media.size)
        *refusal
            = QStringLiteral("标签（%1）比打印机的纸张（%2）大，而这台打印机不接受自定义纸张尺寸")
                  .arg(millimetres(labelSize), millimetres(media.size));
    else
        *refusal
            = QStringLiteral("标签（%1）比打印机纸张（%2）上能打印的范围（%3）大，"
                             "而这台打印机不接受自定义纸张尺寸")
                  .arg(millimetres(labelSize), millimetres(media.size), millimetres(printable));
    return std::nullopt;
}

} // namespace tagloom
