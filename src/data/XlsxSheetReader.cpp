// Streams the cells of an .xlsx worksheet part into a Sheet.
#include "XlsxSheetReader.h"

#include "CellFormats.h"
#include "WorkbookError.h"
#include "XlsxText.h"
#include "XmlPart.h"

namespace tagloom {

namespace {

// The 1-based row number of a row's r attribute; throws WorkbookError::damaged().
qint64 rowNumber(QStringView r)
{
    bool ok = false;
    const qint64 number = r.toLongLong(&ok);
    if (!ok || number < 1) throw WorkbookError::damaged();
    return number;
}

// The 0-based column of a cell reference such as "B7" (A to XFD); throws WorkbookError.
qint64 columnIndex(QStringView reference)
{
    qint64 column = 0;
    qsizetype letters = 0;
    for (; letters < reference.size() && reference[letters].isLetter(); ++letters) {
        const char16_t c = reference[letters].toUpper().unicode();
        if (c < u'A' || c > u'Z' || letters == 3) throw WorkbookError::damaged();
        column = column * 26 + (c - u'A' + 1);
    }
    if (letters == 0) throw WorkbookError::damaged();
    return column - 1;
}

} // namespace

XlsxSheetReader::XlsxSheetReader(
    const std::vector<QString> &sharedStrings, const CellFormats &formats)
    : sharedStrings_(sharedStrings)
    , formats_(formats)
{
}

Sheet XlsxSheetReader::read(XmlPart &part)
{
    const QXmlStreamReader &xml = part.xml();
    qint64 row = -1; // a row or cell without r follows the one before
    qint64 column = -1;
    while (part.nextStartElement()) {
        const QStringView name = xml.name();
        if (name == u"c") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QStringView r = attributes.value(QLatin1String("r"));
            column = r.isEmpty() ? column + 1 : columnIndex(r);
            readCell(part, attributes, std::max<qint64>(row, 0), column);
        } else if (name == u"row") {
            const QStringView r = xml.attributes().value(QLatin1String("r"));
            row = r.isEmpty() ? row + 1 : rowNumber(r) - 1;
            column = -1;
        }
    }
    part.checkRead();
    return builder_.build();
}

// Reads a <c> element to its end: the value <v>, or the inline string <is>; formulas (<f>) are
// not computed again, their cached result is the value.
void XlsxSheetReader::readCell(
    XmlPart &part, const QXmlStreamAttributes &attributes, qint64 row, qint64 column)
{
    const QString type = attributes.value(QLatin1String("t")).toString();
    const quint32 style = attributes.value(QLatin1String("s")).toUInt();
    QString text;
    while (part.readNextStartElement()) {
        if (part.xml().name() == u"v")
            text = valueText(type, part.readElementText(), style);
        else if (part.xml().name() == u"is")
            text = formats_.text(style, XlsxText::richText(part));
        else
            part.skipCurrentElement();
    }
    builder_.setCell(row, column, std::move(text));
}

QString XlsxSheetReader::valueText(QStringView type, const QString &value, quint32 style) const
{
    if (type == u"s") {
        if (value.isEmpty()) return {}; // <v/>: some writers' empty cell
        bool ok = false;
        const quint64 index = value.toULongLong(&ok);
        if (!ok || index >= sharedStrings_.size()) throw WorkbookError::damaged();
        return formats_.text(style, sharedStrings_[index]);
    }
    if (type == u"b") {
        if (value == u"1" || value == u"0") return CellTextFormatter::boolean(value == u"1");
        return value;
    }
    if (type == u"d") {
        // Strict Open XML writes dates, times and durations as ISO 8601 texts.
        if (const std::optional<double> serial = formats_.values().isoSerial(value)) {
            if (std::optional<QString> shown = formats_.shown(style, *serial)) return *shown;
        }
        return CellTextFormatter::isoValue(value).value_or(value);
    }
    if (type == u"str" || type == u"inlineStr")
        return formats_.text(style, XlsxText::unescaped(value));
    if (type.isEmpty() || type == u"n") {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok) return value; // shown as written rather than lost
        return formats_.number(style, number);
    }
    return value; // errors (t="e") as they are written: #DIV/0!, #N/A, ...
}

} // namespace tagloom
