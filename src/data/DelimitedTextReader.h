// Reads delimited text (.csv, .tsv, .txt) as the one sheet: its text as DelimitedTextDecoder
// decodes it, the delimiter found on the first line (TAB for .tsv), quoted fields, LF or CR LF
// line ends; fields verbatim.
#pragma once

#include "Sheet.h"

#include <QByteArray>
#include <QString>

namespace tagloom {

class DelimitedTextReader
{
public:
    // Whether a file of this name is delimited text, by its extension in any letter case.
    static bool isDelimitedTextName(const QString &fileName);
    // Throws WorkbookError: binaryText() for text holding a NUL byte, undecodableText(),
    // tooLarge().
    static Sheet read(const QByteArray &bytes, const QString &fileName);
};

} // namespace tagloom
