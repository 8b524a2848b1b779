// One encoded Code 128 symbol: its bars in modules and its human-readable text,
// and how to draw it fitted into a rectangle.
#pragma once

#include "DotGrid.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace tagloom {

class Code128Symbol
{
public:
    // The symbol of a non-empty text, or nullopt with a short reason for the user.
    static std::optional<Code128Symbol> encode(const QString &text, QString *reason);

    // Draws the symbol, quiet zones included, as large as fits into area: bars as filled
    // rectangles, with the text below them when area is tall enough for it. On a dot grid every
    // module is the same whole number of dots, from a dot boundary, centred in the area;
    // otherwise modules take the exact fraction of the area.
    void paint(QPainter &painter, const QRectF &area, const std::optional<DotGrid> &dots) const;

    // The symbol's width in modules, quiet zones included.
    int moduleCount() const { return moduleCount_; }
    // The width from the first bar to the last as paint() draws them in area.
    qreal barsWidth(const QRectF &area, const std::optional<DotGrid> &dots) const;

private:
    struct Bar
    {
        int start; // first module, counted from the left edge of the left quiet zone
        int width; // in modules
    };

    Code128Symbol() = default;
    // Font pixel size of the text below the bars, or 0 when there is no room for it.
    qreal textPixelSize(qreal areaHeight, qreal symbolWidth) const;

    std::vector<Bar> bars_;
    int moduleCount_ = 0; // the symbol's width, quiet zones included
    QString humanText_;
};

} // namespace tagloom
