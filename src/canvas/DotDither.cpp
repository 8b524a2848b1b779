// The ordered dither of pictures for printer dots.
#include "DotDither.h"

namespace tagloom {

namespace {

// The grey level below which dot (x, y) burns, between 16 and 236: the Bayer matrix, where the
// finest bits of x and y give a dot's rank its highest digit, each digit as in [0 2; 3 1].
struct BayerLevels
{
    uchar level[8][8];

    constexpr BayerLevels()
        : level()
    {
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                int rank = 0;
                for (int bit = 0; bit < 3; ++bit) {
                    const int xb = (x >> bit) & 1;
                    const int yb = (y >> bit) & 1;
                    rank = rank * 4 + (((xb ^ yb) << 1) | yb);
                }
                level[y][x] = static_cast<uchar>(16 + rank * 7 / 2);
            }
    }
};

constexpr BayerLevels bayer;

} // namespace

QImage ditheredToDots(const QImage &picture)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale8);
    QImage dots(grey.size(), QImage::Format_Grayscale8);
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *in = grey.constScanLine(y);
        uchar *out = dots.scanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            out[x] = in[x] < bayer.level[y & 7][x & 7] ? 0 : 255;
    }
    return dots;
}

} // namespace tagloom
