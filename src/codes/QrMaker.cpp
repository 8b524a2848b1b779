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
    // Written over the previous one, never emptied first: the bitmap is read straight back, and a
    // file emptied and written again is one ext4 puts on the disk when it is closed, which made
    // the print run wait for the disk on every row.
    QFile file(path);
    QImageWriter writer(&file, "bmp");
    const bool written = file.open(QIODevice::ReadWrite)
        && writer.write(picture.convertToFormat(QImage::Format_Mono, Qt::ThresholdDither))
        && (file.size() == file.pos() || file.resize(file.pos())) && file.flush();
    if (!written && reason) *reason = QStringLiteral("无法写入位图文件：%1").arg(path);
    return written;
}

bool QrMaker::canEncode(const QString &text, QrLevel level, QString *reason)
{
    // Bytes that the largest code holds in byte mode alone (ISO/IEC 18004, table 7, version 40),
    // less a margin: zint encodes them in that many or fewer, so they need no trial encode, which
    // a run checks for every label before the first.
    static constexpr int surelyFit[] = {2953 - 8, 2331 - 8, 1663 - 8, 1273 - 8};
    const QByteArray bytes = text.toUtf8();
    if (bytes.size() <= surelyFit[static_cast<size_t>(level)]) return true;
    // Capacity does not depend on the mask, so the quick fixed-mask encode answers for both.
    return QrEncoder::encode(bytes, level, QrEncoder::smallestVersion, 0, reason).has_value();
}

int QrMaker::modulesFor(const QString &text, QrLevel level)
{
    // The version, and with it the size, does not depend on the mask either.
    const std::optional<QImage> picture
        = QrEncoder::encode(text.toUtf8(), level, QrEncoder::smallestVersion, 0, nullptr);
    return picture ? picture->width() : 0;
}

} // namespace tagloom
