// Loading a label picture, with checks for files that Qt's readers accept though cut short.
#include "PictureLoader.h"

#include "PictureFileCheck.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace tagloom {

namespace {

// While one picture is read, the readers' notes stay off standard error, where the command line
// writes its one line: Qt's readers speak through Qt's messages, libpng writes its errors there
// itself. Qt's JPEG reader is watched meanwhile: it fills a cut-short file with grey and reports
// success, and only a warning of libjpeg tells.
class QuietReading
{
public:
    QuietReading()
    {
        truncated_ = false;
        previous_ = qInstallMessageHandler(&QuietReading::handle);
        std::fflush(stderr);
        savedError_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (savedError_ >= 0 && nowhere >= 0) ::dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0) ::close(nowhere);
    }
    ~QuietReading()
    {
        std::fflush(stderr);
        if (savedError_ >= 0) {
            ::dup2(savedError_, STDERR_FILENO);
            ::close(savedError_);
        }
        qInstallMessageHandler(previous_);
    }
    QuietReading(const QuietReading &) = delete;
    QuietReading &operator=(const QuietReading &) = delete;

    bool truncated() const { return truncated_; }

private:
    // Only the reader's own messages arrive while it runs; they are swallowed, not shown.
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        if (qstrcmp(context.category, "qt.gui.imageio.jpeg") == 0
            && message.contains(QLatin1String("premature end"), Qt::CaseInsensitive))
            truncated_ = true;
    }

    static inline bool truncated_ = false;
    QtMessageHandler previous_ = nullptr;
    int savedError_ = -1;
};

} // namespace

QStringList PictureLoader::filePatterns()
{
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.%1").arg(QString::fromLatin1(format)));
    return patterns;
}

std::optional<QImage> PictureLoader::load(const QString &path, QString *reason)
{
    auto fail = [reason](const QString &why) -> std::optional<QImage> {
        if (reason) *reason = why;
        return std::nullopt;
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("图片文件不存在或无法读取"));
    if (file.size() == 0) return fail(QStringLiteral("图片文件是空的"));
    if (file.size() > maxFileBytes) return fail(QStringLiteral("图片文件大于 1 GiB"));
    // Read once: the checks and the reader work on the same bytes.
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("图片文件无法读取：%1").arg(file.errorString()));
    if (!PictureFileCheck::pngIsSound(bytes)) return fail(QStringLiteral("图片文件已损坏或不完整"));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);

    // Qt's own limit (256 MB) refuses a 16-bit scan of a few thousand pixels; ours is the pixel
    // count, told to the user.
    QImageReader::setAllocationLimit(allocationLimitMegabytes);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    const QuietReading quiet;
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > maxPixels)
        return fail(QStringLiteral("图片太大：%1 × %2 像素，最多 %3 万像素")
                        .arg(size.width())
                        .arg(size.height())
                        .arg(maxPixels / 10000));
    QImage image = reader.read();
    if (image.isNull()) {
        // The reader says no more than "failed" when the pixels found no memory.
        if (size.isValid() && QImage(size, QImage::Format_ARGB32).isNull())
            return fail(QStringLiteral("内存不足，读不进这张 %1 × %2 像素的图片")
                            .arg(size.width())
                            .arg(size.height()));
        return fail(QStringLiteral("不是能读取的图片"));
    }
    if (quiet.truncated() || !PictureFileCheck::bitmapIsComplete(bytes))
        return fail(QStringLiteral("图片文件不完整"));
    // Sixteen bits a channel only double the memory: labels print eight.
    if (image.depth() > 32)
        image.convertTo(image.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    return image;
}

} // namespace tagloom
