// Walking a bitmap's pixel data and a PNG file's chunks.
#include "PictureFileCheck.h"

#include <QtEndian>
#include <cstring>
#include <zlib.h>

namespace tagloom {

namespace {

enum BitmapCompression : quint32 { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

// Walks run-length encoded pixel data from `at` to its end-of-bitmap mark; false when the data
// ends first. `nibbles` is true for RLE4, where an absolute run of n pixels takes n / 2 bytes.
bool runsReachTheirEnd(const QByteArray &bytes, qsizetype at, bool nibbles)
{
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    const qsizetype size = bytes.size();
    while (at + 1 < size) {
        const uchar count = data[at];
        const uchar code = data[at + 1];
        at += 2;
        if (count != 0) continue; // an encoded run: count pixels of one value
        if (code == 0) continue; // end of line
        if (code == 1) return true; // end of bitmap
        if (code == 2) {
            at += 2; // a jump: two offsets
            continue;
        }
        // An absolute run of `code` pixels, padded to whole 16-bit words.
        const qsizetype runBytes = nibbles ? (code + 1) / 2 : code;
        at += runBytes + (runBytes & 1);
    }
    return false;
}

} // namespace

bool PictureFileCheck::bitmapIsComplete(const QByteArray &bytes)
{
    if (bytes.size() < 34 || !bytes.startsWith("BM")) return true; // not a Windows bitmap
    const auto *head = reinterpret_cast<const uchar *>(bytes.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(head + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(head + 14);
    if (headerSize < 40) return true; // the old OS/2 header: too rare to check
    const qint64 width = qFromLittleEndian<qint32>(head + 18);
    const qint64 height = qAbs(qFromLittleEndian<qint32>(head + 22));
    const quint16 bitsPerPixel = qFromLittleEndian<quint16>(head + 28);
    const quint32 compression = qFromLittleEndian<quint32>(head + 30);
    if (width <= 0) return true; // the reader refuses it anyway
    switch (compression) {
    case Rgb:
    case BitFields:
    case AlphaBitFields: {
        const qint64 stride = ((width * bitsPerPixel + 31) / 32) * 4;
        return bytes.size() >= qint64(pixelOffset) + stride * height;
    }
    case Rle8:
    case Rle4:
        return runsReachTheirEnd(bytes, pixelOffset, compression == Rle4);
    default:
        return true; // embedded JPEG or PNG: their own readers check them
    }
}

bool PictureFileCheck::pngIsSound(const QByteArray &bytes)
{
    static const QByteArray signature("\x89PNG\r\n\x1a\n", 8);
    if (!bytes.startsWith(signature)) return true; // not a PNG file
    const auto *data = reinterpret_cast<const uchar *>(bytes.constData());
    qsizetype at = signature.size();
    while (bytes.size() - at >= 12) {
        const quint32 length = qFromBigEndian<quint32>(data + at);
        if (length > quint32(bytes.size() - at - 12)) return false; // cut short
        const uchar *type = data + at + 4;
        const quint32 stored = qFromBigEndian<quint32>(type + 4 + length);
        if (crc32(crc32(0, nullptr, 0), type, 4 + length) != stored) return false;
        if (memcmp(type, "IEND", 4) == 0) return true;
        at += 12 + qsizetype(length);
    }
    return false; // no IEND: cut short
}

} // namespace tagloom
