// Loading a label picture, with checks for files that Qt's readers accept though cut short.
#include "PictureLoader.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace tagloom {

namespace {

// Qt's JPEG reader fills a cut-short file with grey and reports success; only a warning of
// libjpeg tells. Catch it while one picture is read.
class JpegTruncationWatch
{
public:
    JpegTruncationWatch()
    {
        truncated_ = false;
        previous_ = qInstallMessageHandler(&JpegTruncationWatch::handle);
    }
    ~JpegTruncationWatch() { qInstallMessageHandler(previous_); }
    JpegTruncationWatch(const JpegTruncationWatch &) = delete;
    JpegTruncationWatch &operator=(const JpegTruncationWatch &) = delete;

    bool truncated() const { return truncated_; }

private:
    // Only the reader's own warnings arrive while it runs; they are swallowed, not shown.
    static void handle(QtMsgType, const QMessageLogContext &context, const QString &message)
    {
        if (qstrcmp(context.category, "qt.gui.imageio.jpeg") == 0
            && message.contains(QLatin1String("premature end"), Qt::CaseInsensitive))
            truncated_ = true;
    }

    static inline bool truncated_ = false;
    QtMessageHandler previous_ = nullptr;
};

// Qt's BMP reader also accepts a file whose pixel data is cut short. An uncompressed bitmap
// says how long its pixel data must be.
bool bitmapIsComplete(const QByteArray &head, qint64 fileSize)
{
    if (head.size() < 34 || !head.startsWith("BM"))
        return true; // not a plain Windows bitmap: the reader decides
    const auto *bytes = reinterpret_cast<const uchar *>(head.constData());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(bytes + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(bytes + 14);
    if (headerSize < 40) return true; // the old OS/2 header: too rare to check
    const qint64 width = qFromLittleEndian<qint32>(bytes + 18);
    const qint64 height = qAbs(qFromLittleEndian<qint32>(bytes + 22));
    const quint16 bitsPerPixel = qFromLittleEndian<quint16>(bytes + 28);
    const quint32 compression = qFromLittleEndian<quint32>(bytes + 30);
    if (compression != 0 || width <= 0) return true;
    const qint64 stride = ((width * bitsPerPixel + 31) / 32) * 4;
    return fileSize >= qint64(pixelOffset) + stride * height;
}

} // namespace

std::optional<QImage> PictureLoader::load(const QString &path, QString *reason)
{
    auto fail = [reason](const QString &why) -> std::optional<QImage> {
        if (reason) *reason = why;
        return std::nullopt;
    };

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("图片文件不存在或无法读取"));
    if (file.size() == 0) return fail(QStringLiteral("图片文件是空的"));

    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    const JpegTruncationWatch watch;
    QImage image = reader.read();
    if (image.isNull()) return fail(QStringLiteral("不是能读取的图片"));
    if (watch.truncated()) return fail(QStringLiteral("图片文件不完整"));
    file.seek(0);
    if (!bitmapIsComplete(file.read(64), file.size()))
        return fail(QStringLiteral("图片文件不完整"));
    return image;
}

} // namespace tagloom
