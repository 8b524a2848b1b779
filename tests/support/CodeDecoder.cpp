// Reads QR codes and barcodes from pictures with ZXing and zbarimg.
#include "CodeDecoder.h"

#include <QPainter>
#include <QPolygon>
#include <QProcess>
#include <QTemporaryDir>
#include <ZXing/ReadBarcode.h>

namespace tagloom::test {

namespace {

// 8-bit luminance as ZXing wants it; transparent parts count as the white paper below.
QImage luminance(const QImage &image)
{
    if (!image.hasAlphaChannel()) return image.convertToFormat(QImage::Format_Grayscale8);
    QImage paper(image.size(), QImage::Format_RGB32);
    paper.fill(Qt::white);
    QPainter(&paper).drawImage(0, 0, image);
    return paper.convertToFormat(QImage::Format_Grayscale8);
}

// One format per call: ZXing's multi-code reader aborts on pages that hold a Code 128.
std::optional<DecodedCode> find(const QImage &image, ZXing::BarcodeFormat format)
{
    if (image.isNull()) return std::nullopt;
    const QImage gray = luminance(image);
    const ZXing::ImageView view(gray.constBits(), gray.width(), gray.height(),
        ZXing::ImageFormat::Lum, static_cast<int>(gray.bytesPerLine()));
    ZXing::DecodeHints hints;
    hints.setFormats(format).setTryHarder(true).setTryRotate(true);
    const ZXing::Result result = ZXing::ReadBarcode(view, hints);
    if (!result.isValid()) return std::nullopt;
    QPolygon corners;
    for (const ZXing::PointI &corner : result.position())
        corners << QPoint(corner.x, corner.y);
    return DecodedCode {QString::fromStdString(result.text()),
        QString::fromStdString(result.ecLevel()), corners.boundingRect()};
}

std::optional<QString> textOf(const std::optional<DecodedCode> &code)
{
    if (!code) return std::nullopt;
    return code->text;
}

} // namespace

std::optional<DecodedCode> findQr(const QImage &image)
{
    return find(image, ZXing::BarcodeFormat::QRCode);
}

std::optional<DecodedCode> findCode128(const QImage &image)
{
    return find(image, ZXing::BarcodeFormat::Code128);
}

std::optional<DecodedCode> findCode(const QImage &image, const QString &format)
{
    return find(image, ZXing::BarcodeFormatFromString(format.toStdString()));
}

QStringList zbarCodes(const QImage &image)
{
    const QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("codes.png"));
    if (!image.save(picture)) return {};
    QProcess zbar;
    zbar.start(QStringLiteral("zbarimg"), {"-q", "--nodbus", "-Supca.enable", picture});
    if (!zbar.waitForFinished(60000)) return {};
    return QString::fromUtf8(zbar.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

std::optional<QString> decodeQr(const QImage &image)
{
    return textOf(findQr(image));
}

std::optional<QString> decodeCode128(const QImage &image)
{
    return textOf(findCode128(image));
}

} // namespace tagloom::test
