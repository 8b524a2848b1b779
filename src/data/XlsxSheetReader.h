// Streams the cells of an .xlsx worksheet part into a Sheet: rows and cells found by their r
// attribute or, without one, by their order; values as texts by the cell's type and style.
// The worksheet, by far the largest part, is parsed with liborcus's SAX parser, several times
// quicker than QXmlStreamReader on it.
#pragma once

#include "CellTextFormatter.h"
#include "Sheet.h"
#include "SheetBuilder.h"

#include <QString>
#include <string>
#include <string_view>
#include <vector>

namespace orcus {
struct sax_ns_parser_attribute;
struct sax_ns_parser_element;
} // namespace orcus

namespace tagloom {

class CellFormats;
class ZipArchive;

class XlsxSheetReader
{
public:
    XlsxSheetReader(
        const std::vector<QString> &sharedStrings, const CellFormats &formats, bool dates1904);

    // The worksheet in the part of that name; throws WorkbookError.
    Sheet read(const ZipArchive &archive, const QString &partName);

    // The parser's callbacks.
    void attribute(const orcus::sax_ns_parser_attribute &attribute);
    void start_element(const orcus::sax_ns_parser_element &element);
    void end_element(const orcus::sax_ns_parser_element &element);
    void characters(std::string_view text, bool transient);

private:
    QString valueText() const;

    const std::vector<QString> &sharedStrings_;
    const CellFormats &formats_;
    CellTextFormatter text_;
    SheetBuilder builder_;

    qint64 row_ = -1; // a row or cell without r follows the one before
    qint64 column_ = -1;
    // The attributes of the element about to start.
    std::string r_, s_, t_;
    // The cell being read.
    std::string type_;
    quint32 style_ = 0;
    std::string value_; // <v>, UTF-8
    std::string inlineText_; // the <t> texts of <is>, UTF-8
    bool inCell_ = false;
    bool inValue_ = false;
    bool inInlineText_ = false;
    int phoneticDepth_ = 0; // inside <rPh>, whose text is not cell text
};

} // namespace tagloom
