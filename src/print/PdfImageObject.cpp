// Image objects of pictures.
#include "PdfImageObject.h"

#include "PdfObjectWriter.h"

#include <QImage>

namespace tagloom {

namespace {

bool blackAndWhite(const QImage &grey)
{
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        for (int x = 0; x < grey.width(); ++x)
            if (line[x] != 0 && line[x] != 255) return false;
    }
    return true;
}

QByteArray bitsOf(const QImage &grey)
{
    const int rowBytes = (grey.width() + 7) / 8;
    QByteArray bits(qsizetype(rowBytes) * grey.height(), '\0');
    for (int y = 0; y < grey.height(); ++y) {
        const uchar *line = grey.constScanLine(y);
        char *row = bits.data() + qsizetype(rowBytes) * y;
        for (int x = 0; x < grey.width(); ++x)
            if (line[x]) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
    }
    return bits;
}

QByteArray bytesOf(const QImage &image, int bytesPerPixel)
{
    const qsizetype rowBytes = qsizetype(image.width()) * bytesPerPixel;
    QByteArray bytes(rowBytes * image.height(), Qt::Uninitialized);
    for (int y = 0; y < image.height(); ++y)
        memcpy(bytes.data() + rowBytes * y, image.constScanLine(y), size_t(rowBytes));
    return bytes;
}

QByteArray dictionary(const QImage &image, const char *colorSpace, int bits, bool smooth)
{
    return "/Type /XObject /Subtype /Image /Width " + QByteArray::number(image.width())
        + " /Height " + QByteArray::number(image.height()) + " /ColorSpace /" + colorSpace
        + " /BitsPerComponent " + QByteArray::number(bits) + (smooth ? " /Interpolate true" : "");
}

} // namespace

int writePdfImage(PdfObjectWriter &objects, const QImage &image, bool smooth)
{
    QByteArray mask;
    if (image.hasAlphaChannel()) {
        const QImage alpha = image.convertToFormat(QImage::Format_Alpha8);
        const QByteArray levels = bytesOf(alpha, 1);
        if (levels.count(char(255)) != levels.size()) {
            const int object
                = objects.writeStream(dictionary(image, "DeviceGray", 8, smooth), levels);
            mask = " /SMask " + QByteArray::number(object) + " 0 R";
        }
    }
    if (image.isGrayscale()) {
        const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
        if (blackAndWhite(grey))
            return objects.writeStream(
                dictionary(image, "DeviceGray", 1, smooth) + mask, bitsOf(grey));
        return objects.writeStream(
            dictionary(image, "DeviceGray", 8, smooth) + mask, bytesOf(grey, 1));
    }
    return objects.writeStream(dictionary(image, "DeviceRGB", 8, smooth) + mask,
        bytesOf(image.convertToFormat(QImage::Format_RGB888), 3));
}

} // namespace tagloom
