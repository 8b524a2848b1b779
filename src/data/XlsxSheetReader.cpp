// Streams the cells of an .xlsx worksheet part into a Sheet.
#include "XlsxSheetReader.h"

#include "CellFormats.h"
#include "WorkbookError.h"
#include "XlsxText.h"
#include "ZipArchive.h"

#include <charconv>
#include <orcus/exception.hpp>
#include <orcus/sax_ns_parser.hpp>
#include <orcus/xml_namespace.hpp>

namespace tagloom {

namespace {

// The 1-based row number of a row's r attribute; throws WorkbookError::damaged().
qint64 rowNumber(std::string_view r)
{
    qint64 number = 0;
    const auto [end, error] = std::from_chars(r.data(), r.data() + r.size(), number);
    if (error != std::errc() || end != r.data() + r.size() || number < 1)
        throw WorkbookError::damaged();
    return number;
}

// The 0-based column of a cell reference such as "B7" (A to XFD); throws WorkbookError.
qint64 columnIndex(std::string_view reference)
{
    qint64 column = 0;
    std::size_t letters = 0;
    for (; letters < reference.size() && std::isalpha(quint8(reference[letters])); ++letters) {
        if (letters == 3) throw WorkbookError::damaged();
        column = column * 26 + (std::toupper(quint8(reference[letters])) - 'A' + 1);
    }
    if (letters == 0) throw WorkbookError::damaged();
    return column - 1;
}

// Hands the parser's events to the reader; the ones it needs not keep the defaults.
class SaxHandler : public orcus::sax_ns_handler
{
public:
    explicit SaxHandler(XlsxSheetReader &reader)
        : reader_(reader)
    {
    }
    using orcus::sax_ns_handler::attribute;
    void attribute(const orcus::sax_ns_parser_attribute &attribute)
    {
        reader_.attribute(attribute);
    }
    void start_element(const orcus::sax_ns_parser_element &element)
    {
        reader_.start_element(element);
    }
    void end_element(const orcus::sax_ns_parser_element &element) { reader_.end_element(element); }
    void characters(std::string_view text, bool transient) { reader_.characters(text, transient); }

private:
    XlsxSheetReader &reader_;
};

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

XlsxSheetReader::XlsxSheetReader(
    const std::vector<QString> &sharedStrings, const CellFormats &formats, bool dates1904)
    : sharedStrings_(sharedStrings)
    , formats_(formats)
    , text_(dates1904)
{
}

Sheet XlsxSheetReader::read(const ZipArchive &archive, const QString &partName)
{
    const QByteArray xml = archive.read(partName);
    try {
        orcus::xmlns_repository namespaces;
        orcus::xmlns_context context = namespaces.create_context();
        SaxHandler handler(*this);
        orcus::sax_ns_parser<SaxHandler>(xml.constData(), std::size_t(xml.size()), context, handler)
            .parse();
    } catch (const orcus::general_error &) {
        throw WorkbookError::damaged(); // not well-formed XML
    }
    return builder_.build();
}

void XlsxSheetReader::attribute(const orcus::sax_ns_parser_attribute &attribute)
{
    if (attribute.name == "r")
        r_ = attribute.value;
    else if (attribute.name == "s")
        s_ = attribute.value;
    else if (attribute.name == "t")
        t_ = attribute.value;
}

void XlsxSheetReader::start_element(const orcus::sax_ns_parser_element &element)
{
    const std::string_view name = element.name;
    if (name == "c") {
        column_ = r_.empty() ? column_ + 1 : columnIndex(r_);
        type_ = t_;
        style_ = 0;
        std::from_chars(s_.data(), s_.data() + s_.size(), style_);
        value_.clear();
        inlineText_.clear();
        inCell_ = true;
    } else if (name == "row") {
        row_ = r_.empty() ? row_ + 1 : rowNumber(r_) - 1;
        column_ = -1;
    } else if (inCell_ && name == "v") {
        inValue_ = true;
    } else if (inCell_ && name == "rPh") {
        ++phoneticDepth_;
    } else if (inCell_ && name == "t" && phoneticDepth_ == 0) {
        inInlineText_ = true;
    }
    r_.clear();
    s_.clear();
    t_.clear();
}

void XlsxSheetReader::end_element(const orcus::sax_ns_parser_element &element)
{
    const std::string_view name = element.name;
    if (name == "c" && inCell_) {
        builder_.setCell(std::max<qint64>(row_, 0), column_, valueText());
        inCell_ = false;
    } else if (name == "v") {
        inValue_ = false;
    } else if (name == "rPh" && phoneticDepth_ > 0) {
        --phoneticDepth_;
    } else if (name == "t") {
        inInlineText_ = false;
    }
}

void XlsxSheetReader::characters(std::string_view text, bool)
{
    if (inValue_)
        value_ += text;
    else if (inInlineText_)
        inlineText_ += text;
}

// The cell's text by its type: shared string, inline string, formula string, boolean, error,
// ISO date, or a number, shown as a date when its style has a date format. Formulas (<f>) are
// not computed again: their cached result is the value.
QString XlsxSheetReader::valueText() const
{
    if (type_ == "inlineStr") return XlsxText::unescaped(fromUtf8(inlineText_));
    if (type_ == "s") {
        std::size_t index = 0;
        const auto [end, error]
            = std::from_chars(value_.data(), value_.data() + value_.size(), index);
        if (error != std::errc() || value_.empty() || index >= sharedStrings_.size())
            throw WorkbookError::damaged();
        return sharedStrings_[index];
    }
    if (type_ == "b" && (value_ == "1" || value_ == "0"))
        return CellTextFormatter::boolean(value_ == "1");
    if (type_.empty() || type_ == "n") {
        if (value_.empty()) return {};
        double number = 0;
        const auto [end, error]
            = std::from_chars(value_.data(), value_.data() + value_.size(), number);
        if (error == std::errc() && end == value_.data() + value_.size())
            return formats_.isDate(style_) ? text_.date(number) : CellTextFormatter::number(number);
        return fromUtf8(value_); // shown as written rather than lost
    }
    const QString value = fromUtf8(value_);
    if (type_ == "d") return CellTextFormatter::isoDate(value).value_or(value);
    if (type_ == "str") return XlsxText::unescaped(value);
    return value; // errors (t="e") as they are written: #DIV/0!, #N/A, ...
}

} // namespace tagloom
