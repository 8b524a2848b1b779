// The text of a delimited text file from its bytes, decoded in this one place: UTF-8 when the bytes
// are UTF-8 throughout (a byte order mark dropped), else GB18030 (GBK, GB2312) when they are that
// throughout, else Windows-1252, whose letters include those of ISO-8859-1. No byte is dropped or
// replaced: a byte none of them reads refuses the file, naming the byte and its line.
#pragma once

#include <QByteArray>
#include <QString>

namespace tagloom {

class DelimitedTextDecoder
{
public:
    // Throws WorkbookError::undecodableText().
    static QString decode(const QByteArray &bytes);
};

} // namespace tagloom
