// A layout file's field values, checked against the ranges the items take.
#include "LayoutValue.h"

#include "canvas/NumberText.h"

#include <cmath>
#include <limits>

namespace tagloom {

namespace {

std::optional<float> within(const QString &text, float low, float high)
{
    const std::optional<float> value = NumberText::toSingle(text);
    if (!value || *value < low || *value > high) return std::nullopt;
    return value;
}

} // namespace

std::optional<Twips> LayoutValue::position(const QString &text)
{
    return within(text, -DesignLimits::largestPosition, DesignLimits::largestPosition);
}

std::optional<Twips> LayoutValue::size(const QString &text)
{
    return within(text, 0, DesignLimits::largestSize);
}

std::optional<float> LayoutValue::fontSize(const QString &text)
{
    return within(text, DesignLimits::smallestFontSize, DesignLimits::largestFontSize);
}

std::optional<int> LayoutValue::listIndex(const QString &text)
{
    const std::optional<double> value = NumberText::toDouble(text);
    if (!value || *value != std::floor(*value) || *value < std::numeric_limits<qint16>::min()
        || *value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

} // namespace tagloom
