// Reading a layout file's bytes and decoding them as UTF-8 or GB18030.
#include "LayoutText.h"

#include <QFile>
#include <QStringDecoder>

namespace tagloom {

namespace {

// Stateless: a sequence cut off at the end counts as an error too.
constexpr auto decoderFlags = QStringConverter::Flag::Stateless;

std::optional<QString> decoded(QStringDecoder decoder, const QByteArray &bytes)
{
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError()) return std::nullopt;
    return text;
}

std::optional<QString> utf8(const QByteArray &bytes)
{
    return decoded(QStringDecoder(QStringConverter::Utf8, decoderFlags), bytes);
}

std::optional<QString> gb18030(const QByteArray &bytes)
{
    return decoded(QStringDecoder("GB18030", decoderFlags), bytes);
}

// Lines split at LF, a CR before it dropped. LF is a byte of no other character in either
// encoding, so both readings of a file have the same lines.
template<class Text> QList<Text> splitLines(const Text &text)
{
    QList<Text> lines = text.split('\n');
    if (lines.last().isEmpty()) lines.removeLast(); // the end of the last line, not a line
    for (Text &line : lines) {
        if (line.endsWith('\r')) line.chop(1);
    }
    return lines;
}

} // namespace

std::optional<LayoutText> LayoutText::read(const QString &path, QString *reason)
{
    const auto fail = [reason](const QString &why) -> std::optional<LayoutText> {
        if (reason) *reason = why;
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("无法打开布局文件：%1").arg(file.errorString()));
    // Reading one byte past the limit also stops devices that never end.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("无法读取布局文件：%1").arg(file.errorString()));
    if (bytes.size() > maxBytes) return fail(QStringLiteral("布局文件大于 1 MiB"));
    std::optional<LayoutText> text = decode(bytes);
    if (!text) return fail(QStringLiteral("布局文件既不是 UTF-8 也不是 GB18030 (GBK) 文本"));
    return text;
}

std::optional<LayoutText> LayoutText::decode(const QByteArray &bytes)
{
    LayoutText text;
    if (const std::optional<QString> asUtf8 = utf8(bytes)) {
        text.lines_ = splitLines(*asUtf8);
        const QList<QByteArray> lineBytes = splitLines(bytes);
        for (qsizetype i = 0; i < lineBytes.size(); ++i) {
            const std::optional<QString> other = gb18030(lineBytes[i]);
            if (other && *other != text.lines_[i]) text.otherReadings_.insert(int(i) + 1, *other);
        }
        return text;
    }
    const std::optional<QString> asGb18030 = gb18030(bytes);
    if (!asGb18030) return std::nullopt;
    text.lines_ = splitLines(*asGb18030);
    return text;
}

std::optional<QString> LayoutText::otherReading(int n) const
{
    const auto found = otherReadings_.constFind(n);
    if (found == otherReadings_.constEnd()) return std::nullopt;
    return *found;
}

bool LayoutText::looksLikeLayout(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() == 0) return true;
    QByteArray head = file.read(16);
    if (head.startsWith("\xEF\xBB\xBF")) head.remove(0, 3);
    return head.toLower().startsWith("text1,");
}

} // namespace tagloom
