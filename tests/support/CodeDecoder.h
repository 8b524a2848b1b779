// Reads QR codes and barcodes from pictures, as a scanner would, to check what we draw and print
// (also on whole pages rendered from PDFs, with other content around the code): with ZXing, and
// with zbar's zbarimg as a second, independent reader.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QStringList>
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
// The first code of a format by ZXing's name for it ("EAN13", "DataMatrix", "PDF417" ...).
std::optional<DecodedCode> findCode(const QImage &image, const QString &format);
// What zbarimg reads in the picture, one "TYPE:text" a code ("EAN-13:4006381333931"), UPC-A
// as such.
QStringList zbarCodes(const QImage &image);

// The text of the first code of the kind found, or nullopt when there is none.
std::optional<QString> decodeQr(const QImage &image);
std::optional<QString> decodeCode128(const QImage &image);

} // namespace tagloom::test
