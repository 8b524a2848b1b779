// Texts as an .xlsx stores them: rich text runs to join, phonetic runs to leave out, and
// _xHHHH_ escapes for characters that XML cannot carry.
#pragma once

#include <QString>

namespace tagloom {
class XmlPart;
}

namespace tagloom::XlsxText {

// The text of the element the reader stands on (<si>, <is>): its <t> elements, those of its
// rich text runs included, joined; phonetic runs (<rPh>) left out. Reads to the element's end.
// Throws WorkbookError::cellTooLong() past SheetBuilder::maxCellLength.
QString richText(XmlPart &part);

// _xHHHH_ with four hex digits is the character U+HHHH; _x005F_ escapes the underscore.
QString unescaped(QString text);

} // namespace tagloom::XlsxText
