// A white page picture at printer resolution whose painter draws in twips.
#include "TestPage.h"

#include "canvas/Twips.h"

#include <cmath>

namespace tagloom::test {

namespace {

int pixels(double twips)
{
    return static_cast<int>(std::lround(twipsToPixels(twips, TestPage::dpi)));
}

} // namespace

QImage TestPage::render(const QSizeF &areaTwips, const std::function<void(QPainter &)> &draw)
{
    QImage page(pixels(areaTwips.width() + 2 * marginTwips),
        pixels(areaTwips.height() + 2 * marginTwips), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    const double scale = dpi / twipsPerInch;
    painter.scale(scale, scale);
    painter.translate(marginTwips, marginTwips);
    painter.setClipRect(QRectF(QPointF(), areaTwips));
    draw(painter);
    return page;
}

QRect TestPage::areaPixels(const QSizeF &areaTwips)
{
    return {pixels(marginTwips), pixels(marginTwips), pixels(areaTwips.width()),
        pixels(areaTwips.height())};
}

} // namespace tagloom::test
