// Reading a layout file's bytes and decoding them as UTF-8 or GB18030.
#include "LayoutText.h"

#include <QFile>
#include <QStringDecoder>

namespace tagloom {

namespace {

std::optional<QString> decode(QStringDecoder decoder, const QByteArray &bytes)
{
    QString text = decoder.decode(bytes);
    if (!decoder.isValid() || decoder.hasError()) return std::nullopt;
    return text;
}

} // namespace

std::optional<QStringList> LayoutText::read(const QString &path, QString *reason)
{
    const auto fail = [reason](const QString &why) -> std::optional<QStringList> {
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
    std::optional<QStringList> text = lines(bytes);
    if (!text) return fail(QStringLiteral("布局文件既不是 UTF-8 也不是 GB18030 (GBK) 文本"));
    return text;
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

std::optional<QStringList> LayoutText::lines(const QByteArray &bytes)
{
    // Stateless: a sequence cut off at the end of the file counts as an error too.
    constexpr auto flags = QStringConverter::Flag::Stateless;
    std::optional<QString> text = decode(QStringDecoder(QStringConverter::Utf8, flags), bytes);
    if (!text) text = decode(QStringDecoder("GB18030", flags), bytes);
    if (!text) return std::nullopt;

    QStringList lines = text->split(QLatin1Char('\n'));
    if (lines.last().isEmpty()) lines.removeLast(); // the end of the last line, not a line
    for (QString &line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    }
    return lines;
}

} // namespace tagloom
