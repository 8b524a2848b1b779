// The dots of the device a painter draws on, seen from the painter's user space: lengths counted
// in whole dots and positions put on dot boundaries. A code drawn on a printer's dots prints every
// module and bar evenly; drawn across them, some bars come out a dot wider than others.
#pragma once

#include <QPointF>
#include <QSizeF>
#include <optional>

class QPainter;

namespace tagloom {

class DotGrid
{
public:
    // The grid of the painter's device pixels; nothing when its transform turns or shears.
    static std::optional<DotGrid> of(const QPainter &painter);
    // A grid of dots, this many to a unit across and down, with a dot corner at (0, 0).
    static DotGrid scaled(qreal dotsPerUnitX, qreal dotsPerUnitY);

    // Whole dots within a user-space length across or down, rounded down.
    int dotsAcross(qreal length) const;
    int dotsDown(qreal length) const;
    // A number of dots as a user-space size.
    QSizeF sizeOf(int dotsAcross, int dotsDown) const;
    // The dot corner nearest to a user-space point.
    QPointF snap(const QPointF &point) const;

private:
    DotGrid(qreal dotsPerUnitX, qreal dotsPerUnitY, QPointF origin);

    qreal dotsPerUnitX_;
    qreal dotsPerUnitY_;
    QPointF origin_; // where user space (0, 0) lies, in dots
};

} // namespace tagloom
