// Reads the version, error correction level and mask of a QR code from its modules.
#include "QrFormatReader.h"

#include <bit>

namespace tagloom::test {

namespace {

constexpr int formatGenerator = 0x537; // BCH (15, 5) generator polynomial
constexpr int formatXorMask = 0x5412; // keeps the format bits from ever being all zero

int maskedFormatBits(int data)
{
    int remainder = data << 10;
    for (int bit = 14; bit >= 10; --bit) {
        if (remainder & (1 << bit)) remainder ^= formatGenerator << (bit - 10);
    }
    return ((data << 10) | remainder) ^ formatXorMask;
}

class ModuleReader
{
public:
    explicit ModuleReader(const QImage &modules)
        : modules_(modules)
    {
    }

    // Appends the module at (column, row) as the next lower bit.
    void take(int column, int row)
    {
        bits_ = (bits_ << 1) | (qGray(modules_.pixel(column, row)) < 128 ? 1 : 0);
    }
    int bits() const { return bits_; }

private:
    const QImage &modules_;
    int bits_ = 0;
};

} // namespace

std::optional<QrFormat> readQrFormat(const QImage &modules)
{
    const int size = modules.width();
    if (modules.height() != size || size < 21 || size > 177 || (size - 17) % 4 != 0)
        return std::nullopt;

    // The two copies of the format information: around the top-left finder, and split between
    // the bottom-left and top-right finders. Both read most significant bit first.
    ModuleReader nearTopLeft(modules);
    for (int column = 0; column <= 5; ++column)
        nearTopLeft.take(column, 8);
    nearTopLeft.take(7, 8);
    nearTopLeft.take(8, 8);
    nearTopLeft.take(8, 7);
    for (int row = 5; row >= 0; --row)
        nearTopLeft.take(8, row);
    ModuleReader nearOthers(modules);
    for (int row = size - 1; row >= size - 7; --row)
        nearOthers.take(8, row);
    for (int column = size - 8; column < size; ++column)
        nearOthers.take(column, 8);

    int bestData = -1;
    int bestDistance = 4; // three wrong bits are still correctable
    for (int data = 0; data < 32; ++data) {
        for (const int read : {nearTopLeft.bits(), nearOthers.bits()}) {
            const int distance
                = std::popcount(static_cast<unsigned>(read ^ maskedFormatBits(data)));
            if (distance < bestDistance) {
                bestDistance = distance;
                bestData = data;
            }
        }
    }
    if (bestData < 0) return std::nullopt;
    static constexpr char levels[] = {'M', 'L', 'H', 'Q'}; // by the two level bits
    return QrFormat {(size - 17) / 4, levels[bestData >> 3], bestData & 7};
}

} // namespace tagloom::test
