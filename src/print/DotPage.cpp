// Drawing a page at a printer's dots and reading the dots off.
#include "DotPage.h"

#include <algorithm>

namespace tagloom {

namespace {

// A dot burns where the page is darker than half grey: a glyph's edge where the glyph covers half
// of the dot, the label picture as LabelPainter dithered it.
constexpr int burnsBelow = 128;

} // namespace

DotPage::DotPage(const QSize &dots, int dotsPerInch)
    : dotsPerInch_(dotsPerInch)
    , picture_(dots, QImage::Format_RGB32)
    , dots_(qsizetype(bytesPerRow()) * dots.height(), '\0')
{
    // The painter's fonts and LabelPainter's twips follow the device's resolution.
    const int dotsPerMetre = qRound(dotsPerInch / 0.0254);
    picture_.setDotsPerMeterX(dotsPerMetre);
    picture_.setDotsPerMeterY(dotsPerMetre);
}

QPainter &DotPage::begin()
{
    picture_.fill(Qt::white);
    painter_.begin(&picture_);
    return painter_;
}

void DotPage::end()
{
    painter_.end();
    const int width = picture_.width();
    const int rowBytes = bytesPerRow();
    for (int y = 0; y < picture_.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(picture_.constScanLine(y));
        auto *out = reinterpret_cast<uchar *>(dots_.data()) + qsizetype(y) * rowBytes;
        for (int x = 0; x < width; x += 8) {
            const QRgb *eight = pixels + x;
            const int count = std::min(8, width - x);
            if (count == 8
                && std::all_of(eight + 1, eight + 8, [&](QRgb p) { return p == *eight; })) {
                out[x >> 3] = qGray(*eight) < burnsBelow ? 0xff : 0; // the runs of one colour
                continue;
            }
            unsigned byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                byte = (byte << 1) | unsigned(bit < count && qGray(eight[bit]) < burnsBelow);
            out[x >> 3] = uchar(byte);
        }
    }
}

} // namespace tagloom
