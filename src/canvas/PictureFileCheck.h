// Checks on a picture file's bytes that Qt's readers leave out: Windows bitmaps cut short (Qt
// fills the missing pixels and reports success) and PNG files whose chunks are cut short or
// damaged (libpng would print its own error on standard error before failing).
#pragma once

#include <QByteArray>

namespace tagloom {

class PictureFileCheck
{
public:
    // False when a Windows bitmap's pixel data ends before its picture does: uncompressed and
    // bit-field bitmaps by their size, run-length encoded ones by walking the runs to their end.
    // Files of other kinds pass.
    static bool bitmapIsComplete(const QByteArray &bytes);

    // False when a PNG file's chunks end before IEND or a chunk's checksum is wrong. Files of
    // other kinds pass.
    static bool pngIsSound(const QByteArray &bytes);
};

} // namespace tagloom
