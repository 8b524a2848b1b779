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

std::optional<QStringList> LayoutText::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    // Reading one byte past the limit also stops devices that never end.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes || file.error() != QFileDevice::NoError) return std::nullopt;
    return lines(bytes);
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
