// The text of a delimited text file, decoded in this one place and never held whole. UTF-16 (little
// or big endian) when it starts with its byte order mark or shows its pattern, NUL bytes in every
// other byte; else UTF-8 when the bytes are UTF-8 throughout (a byte order mark dropped), else
// GB18030 (GBK, GB2312) when they are that throughout, else Windows-1252, whose letters include
// those of ISO-8859-1. No byte is dropped or replaced: a byte none of them reads refuses the file,
// naming the byte and its line; so does a text with NUL characters or one in which more than one
// character in twenty is a control character or unassigned, which is no table.
#pragma once

#include <QIODevice>
#include <QStringView>
#include <functional>

namespace tagloom {

class DelimitedTextDecoder
{
public:
    enum class Encoding { Utf8, Gb18030, Windows1252, Utf16Le, Utf16Be };

    // Reads the device once from its start, a piece at a time, to choose the encoding. look sees
    // the text of each piece, its ASCII characters as they are whatever the encoding turns out to
    // be, until it returns true. Throws WorkbookError: binaryText() as soon as a NUL shows,
    // undecodableText(), cutShortUtf16(), unreadable().
    DelimitedTextDecoder(QIODevice &device, const std::function<bool(QStringView)> &look);

    // Reads the device again from its start and hands its text to take a piece at a time.
    // Throws WorkbookError::notTextTable() at the end, unreadable().
    void decode(QIODevice &device, const std::function<void(QStringView)> &take) const;

private:
    Encoding encoding_ = Encoding::Utf8;
};

} // namespace tagloom
