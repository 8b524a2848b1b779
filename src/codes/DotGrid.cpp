// The device's dot grid under a painter's transform.
#include "DotGrid.h"

#include <QPainter>
#include <cmath>

namespace tagloom {

namespace {

// Lengths a hair short of a whole number of dots, through rounding in the transform, still count.
constexpr qreal dotSlack = 1e-6;

} // namespace

std::optional<DotGrid> DotGrid::of(const QPainter &painter)
{
    const QTransform &toDevice = painter.deviceTransform();
    if (toDevice.type() > QTransform::TxScale || toDevice.m11() <= 0 || toDevice.m22() <= 0)
        return std::nullopt;
    return DotGrid(toDevice.m11(), toDevice.m22(), QPointF(toDevice.dx(), toDevice.dy()));
}

DotGrid DotGrid::scaled(qreal dotsPerUnitX, qreal dotsPerUnitY)
{
    return DotGrid(dotsPerUnitX, dotsPerUnitY, QPointF(0, 0));
}

DotGrid::DotGrid(qreal dotsPerUnitX, qreal dotsPerUnitY, QPointF origin)
    : dotsPerUnitX_(dotsPerUnitX)
    , dotsPerUnitY_(dotsPerUnitY)
    , origin_(origin)
{
}

int DotGrid::dotsAcross(qreal length) const
{
    return static_cast<int>(std::floor(length * dotsPerUnitX_ + dotSlack));
}

int DotGrid::dotsDown(qreal length) const
{
    return static_cast<int>(std::floor(length * dotsPerUnitY_ + dotSlack));
}

QSizeF DotGrid::sizeOf(int dotsAcross, int dotsDown) const
{
    return {dotsAcross / dotsPerUnitX_, dotsDown / dotsPerUnitY_};
}

QPointF DotGrid::snap(const QPointF &point) const
{
    return {(std::round(point.x() * dotsPerUnitX_ + origin_.x()) - origin_.x()) / dotsPerUnitX_,
        (std::round(point.y() * dotsPerUnitY_ + origin_.y()) - origin_.y()) / dotsPerUnitY_};
}

} // namespace tagloom
