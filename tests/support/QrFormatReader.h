// Reads the version, error correction level and mask of a QR code straight from its modules,
// for checks ZXing does not offer (it does not report the mask).
#pragma once

#include <QImage>
#include <optional>

namespace tagloom::test {

struct QrFormat
{
    int version; // 1..40
    char ecLevel; // 'L', 'M', 'Q' or 'H'
    int mask; // 0..7
};

// modules: one pixel per module, dark modules dark, no quiet zone. nullopt when the picture is
// not the size of a QR code or its format information is unreadable.
std::optional<QrFormat> readQrFormat(const QImage &modules);

} // namespace tagloom::test
