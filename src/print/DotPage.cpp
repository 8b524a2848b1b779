// Drawing a page at a printer's dots and reading the dots off.
#include "DotPage.h"

#include <algorithm>

namespace tagloom {

namespace {

// An 8 x 8 ordered dither: the grey level below which dot (x, y) burns, between 2 and 254, so that
// black (0) always burns and white (255) never does; and for every row and grey level the byte of
// eight dots that grey gives, for the runs of one colour that make up most of a label.
struct Dither
{
    uchar level[8][8];
    uchar byte[8][256];

    constexpr Dither()
        : level()
        , byte()
    {
        // The Bayer matrix: the finest bits of x and y give a dot's rank its highest digit, each
        // digit as in the 2 x 2 matrix [0 2; 3 1].
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                int rank = 0;
                for (int bit = 0; bit < 3; ++bit) {
                    const int xb = (x >> bit) & 1;
                    const int yb = (y >> bit) & 1;
                    rank = rank * 4 + (((xb ^ yb) << 1) | yb);
                }
                level[y][x] = static_cast<uchar>(rank * 4 + 2);
            }
            for (int grey = 0; grey < 256; ++grey) {
                unsigned dots = 0;
                for (int x = 0; x < 8; ++x)
                    dots = (dots << 1) | unsigned(grey < level[y][x]);
                byte[y][grey] = static_cast<uchar>(dots);
            }
        }
    }
};

constexpr Dither dither;

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
        const uchar *level = dither.level[y & 7];
        auto *out = reinterpret_cast<uchar *>(dots_.data()) + qsizetype(y) * rowBytes;
        for (int x = 0; x < width; x += 8) {
            const QRgb *eight = pixels + x;
            const int count = std::min(8, width - x);
            if (count == 8
                && std::all_of(eight + 1, eight + 8, [&](QRgb p) { return p == *eight; })) {
                out[x >> 3] = dither.byte[y & 7][qGray(*eight)];
                continue;
            }
            unsigned byte = 0;
            for (int bit = 0; bit < 8; ++bit)
                byte = (byte << 1) | unsigned(bit < count && qGray(eight[bit]) < level[bit]);
            out[x >> 3] = uchar(byte);
        }
    }
}

} // namespace tagloom
