// The text of a delimited text file, decoded in this one place and never held whole.
#include "DelimitedTextDecoder.h"

#include "WorkbookError.h"

#include <QStringDecoder>
#include <array>
#include <optional>
#include <utility>

namespace tagloom {

namespace {

constexpr qint64 pieceSize = qint64(1) << 20;

// Calls read with each piece of the device, from its start.
template<typename Read> void forEachPiece(QIODevice &device, Read read)
{
    if (!device.seek(0)) throw WorkbookError::unreadable();
    while (!device.atEnd()) {
        const QByteArray piece = device.read(pieceSize);
        if (piece.isEmpty()) throw WorkbookError::unreadable();
        read(piece);
    }
}

// Windows-1252 at 0x80 to 0x9F, where it differs from ISO-8859-1; 0 where it has no character.
constexpr std::array<char16_t, 32> windows1252High = {0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026,
    0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0, 0, 0x2018, 0x2019, 0x201C,
    0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

// The character of a byte in Windows-1252; 0 for the five bytes it has none for.
char16_t windows1252(quint8 byte)
{
    return byte >= 0x80 && byte < 0xA0 ? windows1252High[byte - 0x80] : byte;
}

// Control characters but TAB, LF, CR and the end-of-file mark of DOS programs, unassigned code
// points and surrogates without their other half: what no table's text is made of.
qint64 strangeCharacters(QStringView text)
{
    qint64 count = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            count += (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r' && c != 0x1A) || c == 0x7F;
            continue;
        }
        char32_t code = c;
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            code = QChar::surrogateToUcs4(c, text[++i].unicode());
        const QChar::Category category = QChar::category(code);
        count += category == QChar::Other_Control || category == QChar::Other_NotAssigned
            || category == QChar::Other_Surrogate;
    }
    return count;
}

// UTF-16 by its byte order mark, or by its NUL bytes: the high bytes of the ASCII characters
// (delimiters, line ends, digits), in one of every eight pairs or more, and (nearly) all in every
// other byte.
std::optional<bool> utf16BigEndian(QByteArrayView head)
{
    if (head.startsWith("\xFF\xFE")) return false;
    if (head.startsWith("\xFE\xFF")) return true;
    qsizetype first = 0; // NUL bytes first in their pair
    qsizetype second = 0;
    for (qsizetype i = 0; i + 1 < head.size(); i += 2) {
        first += head[i] == 0;
        second += head[i + 1] == 0;
    }
    const qsizetype pairs = head.size() / 2;
    if (second * 8 >= pairs && first * 8 <= second && second > 0) return false;
    if (first * 8 >= pairs && second * 8 <= first && first > 0) return true;
    return std::nullopt;
}

// Which of the 8-bit encodings reads all of a text, seen a piece at a time.
class EightBitCandidates
{
public:
    void see(QByteArrayView piece)
    {
        if (piece.contains('\0')) throw WorkbookError::binaryText();
        see(utf8_, piece);
        see(gb18030_, piece);
        for (qsizetype i = 0; i < piece.size() && !hole_; ++i) {
            const char byte = piece[i];
            if (std::exchange(afterCr_, false) && byte != '\n') ++line_;
            if (byte == '\n')
                ++line_;
            else if (byte == '\r')
                afterCr_ = true;
            else if (windows1252(quint8(byte)) == 0)
                hole_ = {quint8(byte), line_};
        }
    }

    // Throws WorkbookError::undecodableText() for a text none of them reads.
    DelimitedTextDecoder::Encoding choose()
    {
        // A character cut short at the end shows as an error before a line end.
        see(utf8_, "\n");
        see(gb18030_, "\n");
        if (utf8_.isValid()) return DelimitedTextDecoder::Encoding::Utf8;
        if (gb18030_.isValid()) return DelimitedTextDecoder::Encoding::Gb18030;
        if (hole_) throw WorkbookError::undecodableText(hole_->first, hole_->second);
        return DelimitedTextDecoder::Encoding::Windows1252;
    }

private:
    // A decoder that has met a byte it does not read is made invalid and reads no further.
    static void see(QStringDecoder &decoder, QByteArrayView piece)
    {
        if (!decoder.isValid()) return;
        const QString text = decoder(piece);
        if (decoder.hasError()) decoder = QStringDecoder();
    }

    QStringDecoder utf8_ {QStringConverter::Utf8};
    QStringDecoder gb18030_ {"GB18030"};
    std::optional<std::pair<quint8, qint64>> hole_; // the first byte Windows-1252 lacks, its line
    qint64 line_ = 1; // LF, CR LF and a lone CR end lines
    bool afterCr_ = false;
};

QStringDecoder decoderFor(DelimitedTextDecoder::Encoding encoding)
{
    switch (encoding) {
    case DelimitedTextDecoder::Encoding::Gb18030:
        return QStringDecoder("GB18030");
    case DelimitedTextDecoder::Encoding::Utf16Le:
        return QStringDecoder(QStringConverter::Utf16LE);
    case DelimitedTextDecoder::Encoding::Utf16Be:
        return QStringDecoder(QStringConverter::Utf16BE);
    default:
        return QStringDecoder(QStringConverter::Utf8);
    }
}

} // namespace

DelimitedTextDecoder::DelimitedTextDecoder(
    QIODevice &device, const std::function<bool(QStringView)> &look)
{
    std::optional<bool> bigEndian;
    QStringDecoder utf16;
    qint64 utf16Bytes = 0;
    EightBitCandidates candidates;
    bool looking = true;
    bool first = true;
    forEachPiece(device, [&](const QByteArray &piece) {
        if (std::exchange(first, false) && (bigEndian = utf16BigEndian(piece))) {
            encoding_ = *bigEndian ? Encoding::Utf16Be : Encoding::Utf16Le;
            utf16 = decoderFor(encoding_);
        }
        if (!bigEndian) {
            candidates.see(piece);
            if (looking) looking = !look(QString::fromLatin1(piece));
            return;
        }
        const QString text = utf16(piece);
        if (text.contains(QChar(0))) throw WorkbookError::binaryText();
        utf16Bytes += piece.size();
        if (looking) looking = !look(text);
    });
    if (!bigEndian) {
        encoding_ = candidates.choose();
    } else if (utf16Bytes % 2 != 0) {
        throw WorkbookError::cutShortUtf16();
    }
}

void DelimitedTextDecoder::decode(
    QIODevice &device, const std::function<void(QStringView)> &take) const
{
    qint64 characters = 0;
    qint64 strange = 0;
    const auto hand = [&](const QString &text) {
        characters += text.size();
        strange += strangeCharacters(text);
        take(text);
    };
    if (encoding_ == Encoding::Windows1252) {
        forEachPiece(device, [&](const QByteArray &piece) {
            QString text(piece.size(), Qt::Uninitialized);
            for (qsizetype i = 0; i < piece.size(); ++i)
                text[i] = QChar(windows1252(quint8(piece[i])));
            hand(text);
        });
    } else {
        QStringDecoder decoder = decoderFor(encoding_);
        forEachPiece(device, [&](const QByteArray &piece) {
            hand(QString(decoder(piece)));
            // Only a file changed since it was examined could fail here.
            if (decoder.hasError()) throw WorkbookError::unreadable();
        });
    }
    if (strange * 20 > characters) throw WorkbookError::notTextTable();
}

} // namespace tagloom
