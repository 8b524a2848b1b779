// The text of a delimited text file from its bytes.
#include "DelimitedTextDecoder.h"

#include "WorkbookError.h"

#include <QStringDecoder>
#include <array>
#include <optional>

namespace tagloom {

namespace {

// The whole of bytes in one encoding, or nothing when any byte does not belong to it. Stateless:
// a sequence cut short at the end is an error, not a byte kept back for more input.
std::optional<QString> decodedAs(const char *encoding, const QByteArray &bytes)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

// Windows-1252 at 0x80 to 0x9F, where it differs from ISO-8859-1; 0 where it has no character.
constexpr std::array<char16_t, 32> windows1252High = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026,
    0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C,
    0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// The line of the byte at offset, counted from 1; LF, CR LF and a lone CR end lines.
qint64 lineOf(const QByteArray &bytes, qsizetype offset)
{
    qint64 line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (bytes[i] == '\n'
            || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

QString windows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = quint8(bytes[i]);
        const char16_t c = byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte;
        if (c == 0) throw WorkbookError::undecodableText(byte, lineOf(bytes, i));
        text[i] = QChar(c);
    }
    return text;
}

} // namespace

QString DelimitedTextDecoder::decode(const QByteArray &bytes)
{
    if (std::optional<QString> text = decodedAs("UTF-8", bytes)) return *text;
    if (std::optional<QString> text = decodedAs("GB18030", bytes)) return *text;
    return windows1252(bytes);
}

} // namespace tagloom
