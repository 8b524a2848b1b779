// How a printer's pages are corrected so that the label lands on the label stock: an offset that
// moves the label right and down (negative values left and up) and a scale about its top left.
#pragma once

#include <QPointF>

namespace tagloom {

struct Calibration
{
    static constexpr double largestOffsetMm = 50; // either way
    static constexpr double smallestScalePercent = 50;
    static constexpr double largestScalePercent = 200;

    QPointF offsetMm;
    double scalePercent = 100;

    friend bool operator==(const Calibration &, const Calibration &) = default;
};

} // namespace tagloom
