// Reads QR codes and Code 128 barcodes from pictures, as a scanner would, to check what we draw
// and print (also on whole pages rendered from PDFs, with other content around the code).
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

namespace tagloom::test {

struct DecodedCode
{
    QString text;
    QString ecLevel; // "L", "M", "Q" or "H" for a QR code, empty for Code 128
    QRect bounds; // where the code was found, in image pixels
};

std::optional<DecodedCode> findQr(const QImage &image);
std::optional<DecodedCode> findCode128(const QImage &image);

// The text of the first code of the kind found, or nullopt when there is none.
std::optional<QString> decodeQr(const QImage &image);
std::optional<QString> decodeCode128(const QImage &image);

} // namespace tagloom::test
