// Reads delimited text (.csv, .tsv, .txt) as the one sheet: its text as DelimitedTextDecoder
// decodes it, the delimiter found on the first line (TAB for .tsv), quoted fields, LF or CR LF
// line ends; fields verbatim. The text is read a piece at a time, never held whole.
#pragma once

#include "Sheet.h"

#include <QIODevice>
#include <QString>

namespace tagloom {

class DelimitedTextReader
{
public:
    // Whether a file of this name is delimited text, by its extension in any letter case.
    static bool isDelimitedTextName(const QString &fileName);
    // The text of a device that can seek back to its start. Throws WorkbookError: binaryText()
    // for text holding a NUL byte, undecodableText(), notTextTable(), tooLarge(), cellTooLong(),
    // tooMuchText(), ...
    static Sheet read(QIODevice &device, const QString &fileName);
};

} // namespace tagloom
