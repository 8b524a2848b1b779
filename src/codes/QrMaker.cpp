// The label's QR code generator.
#include "QrMaker.h"

#include "QrEncoder.h"

#include <QFile>
#include <QImageWriter>

namespace tagloom {

QrMaker::QrMaker()
    : codeData_(QStringLiteral("QRCODE"))
    , encodedData_(codeData_)
{
    codes_[static_cast<size_t>(level_)] = encoded();
}

QrMaker::Code QrMaker::encoded() const
{
    Code code;
    std::optional<QImage> picture;
    if (designCode_) {
        // The design code is fixed so that a new layout always shows the same 21 x 21 symbol; its
        // six letters fit version 1 at every level.
        constexpr int designVersion = 1;
        constexpr int designMask = 0;
        picture = QrEncoder::encode(
            encodedData_.toUtf8(), level_, designVersion, designMask, &code.problem);
    } else if (!encodedData_.isEmpty()) {
        picture = QrEncoder::encode(encodedData_.toUtf8(), level_, QrEncoder::smallestVersion,
            QrEncoder::bestMask, &code.problem);
    }
    code.picture = std::make_shared<const QImage>(picture.value_or(QImage()));
    return code;
}

void QrMaker::setLevel(QrLevel level)
{
    level_ = level;
    std::optional<Code> &code = codes_[static_cast<size_t>(level)];
    if (!code) code = encoded();
}

void QrMaker::refresh()
{
    designCode_ = false;
    encodedData_ = codeData_;
    codes_ = {};
    codes_[static_cast<size_t>(level_)] = encoded();
}

bool QrMaker::saveBitmap(const QString &path, int, QString *reason) const
{
    const QImage &picture = *codePicture();
    if (picture.isNull()) {
        if (reason) *reason = QStringLiteral("没有可保存的二维码");
        return false;
    }
    // Written in place: the bitmap is read straight back, and syncing it to disk for every printed
    // row would cost more than the rest of the row.
    QFile file(path);
    QImageWriter writer(&file, "bmp");
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && writer.write(picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither))
        && file.flush();
    if (!written && reason) *reason = QStringLiteral("无法写入位图文件：%1").arg(path);
    return written;
}

bool QrMaker::canEncode(const QString &text, QrLevel level, QString *reason)
{
    // Capacity does not depend on the mask, so the quick fixed-mask encode answers for both.
    return text.isEmpty()
        || QrEncoder::encode(text.toUtf8(), level, QrEncoder::smallestVersion, 0, reason)
               .has_value();
}

int QrMaker::modulesFor(const QString &text, QrLevel level)
{
    // The version, and with it the size, does not depend on the mask either.
    const std::optional<QImage> picture
        = QrEncoder::encode(text.toUtf8(), level, QrEncoder::smallestVersion, 0, nullptr);
    return picture ? picture->width() : 0;
}

} // namespace tagloom
