// The label's QR code generator.
#include "QrMaker.h"

#include "QrEncoder.h"

#include <QFile>
#include <QImageWriter>

namespace tagloom {

QrMaker::QrMaker()
    : codeData_(QStringLiteral("QRCODE"))
{
    // The design code is fixed so that a new layout always shows the same 21 x 21 symbol.
    constexpr int designVersion = 1;
    constexpr int designMask = 0;
    picture_ = std::make_shared<const QImage>(
        QrEncoder::encode(codeData_.toUtf8(), designVersion, designMask, nullptr).value());
}

void QrMaker::refresh()
{
    problem_.clear();
    std::optional<QImage> picture;
    if (!codeData_.isEmpty())
        picture = QrEncoder::encode(
            codeData_.toUtf8(), QrEncoder::smallestVersion, QrEncoder::bestMask, &problem_);
    picture_ = std::make_shared<const QImage>(picture.value_or(QImage()));
}

bool QrMaker::saveBitmap(const QString &path, int, QString *reason) const
{
    if (picture_->isNull()) {
        if (reason) *reason = QStringLiteral("没有可保存的二维码");
        return false;
    }
    // Written over the previous one, never emptied first: the bitmap is read straight back, and a
    // file emptied and written again is one ext4 puts on the disk when it is closed, which made
    // the print run wait for the disk on every row.
    QFile file(path);
    QImageWriter writer(&file, "bmp");
    const bool written = file.open(QIODevice::ReadWrite)
        && writer.write(picture_->convertToFormat(QImage::Format_Mono, Qt::ThresholdDither))
        && (file.size() == file.pos() || file.resize(file.pos())) && file.flush();
    if (!written && reason) *reason = QStringLiteral("无法写入位图文件：%1").arg(path);
    return written;
}

bool QrMaker::canEncode(const QString &text, QString *reason)
{
    // Capacity does not depend on the mask, so the quick fixed-mask encode answers for both.
    return text.isEmpty()
        || QrEncoder::encode(text.toUtf8(), QrEncoder::smallestVersion, 0, reason).has_value();
}

int QrMaker::modulesFor(const QString &text)
{
    // The version, and with it the size, does not depend on the mask either.
    const std::optional<QImage> picture
        = QrEncoder::encode(text.toUtf8(), QrEncoder::smallestVersion, 0, nullptr);
    return picture ? picture->width() : 0;
}

} // namespace tagloom
