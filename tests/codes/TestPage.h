// A white page picture at printer resolution whose painter draws in twips, for decoding
// what the code components draw as a scanner would see it on paper.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRect>
#include <QSizeF>
#include <functional>

namespace tagloom::test {

class TestPage
{
public:
    static constexpr double dpi = 300;
    static constexpr double marginTwips = 720;

    // draw paints the area (0, 0) to areaTwips; the painter clips to it, as a holder does.
    static QImage render(const QSizeF &areaTwips, const std::function<void(QPainter &)> &draw);
    // The area in page pixels.
    static QRect areaPixels(const QSizeF &areaTwips);
};

} // namespace tagloom::test
