// Reads the table named sheet1 of an .ods spreadsheet.
#include "OdsReader.h"

#include "CellFormats.h"
#include "CellTextFormatter.h"
#include "WorkbookError.h"
#include "XmlPart.h"
#include "ZipArchive.h"

#include <algorithm>

namespace tagloom {

namespace {

const QString officeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString tableNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString textNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString styleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString calcExtNs
    = QStringLiteral("urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0");

bool isElement(const QXmlStreamReader &xml, const QString &ns, QStringView name)
{
    return xml.name() == name && xml.namespaceUri() == ns;
}

// A table:number-*-repeated attribute: 1 when absent or nonsense.
qint64 repeatCount(const QXmlStreamAttributes &attributes, QLatin1String name)
{
    bool ok = false;
    const qint64 count = attributes.value(tableNs, name).toLongLong(&ok);
    return ok && count > 0 ? count : 1;
}

// The cell's paragraphs joined by LF, read to the end of the cell element: <text:s/> gives
// spaces, <text:tab/> a TAB, <text:line-break/> an LF, spans and links their text; comments
// (office:annotation) are not cell text. Throws WorkbookError::cellTooLong().
QString paragraphs(XmlPart &part)
{
    constexpr qint64 longestSpaceRun = 32767; // the longest text a cell holds
    const QXmlStreamReader &xml = part.xml();
    QString text;
    int paragraphCount = 0;
    int paragraphDepth = 0; // depth below the current paragraph, 0 outside paragraphs
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        SheetBuilder::checkCellLength(text.size());
        switch (part.readNext()) {
        case QXmlStreamReader::StartElement:
            if (isElement(xml, officeNs, u"annotation")) {
                part.skipCurrentElement();
                break;
            }
            ++depth;
            if (paragraphDepth > 0) {
                ++paragraphDepth;
                if (isElement(xml, textNs, u"s")) {
                    bool ok = false;
                    const qint64 count
                        = xml.attributes().value(textNs, QLatin1String("c")).toLongLong(&ok);
                    text += QString(
                        qsizetype(ok ? std::clamp<qint64>(count, 0, longestSpaceRun) : 1), u' ');
                } else if (isElement(xml, textNs, u"tab")) {
                    text += u'\t';
                } else if (isElement(xml, textNs, u"line-break")) {
                    text += u'\n';
                }
            } else if (isElement(xml, textNs, u"p") || isElement(xml, textNs, u"h")) {
                if (paragraphCount++ > 0) text += u'\n';
                paragraphDepth = 1;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            if (paragraphDepth > 0) --paragraphDepth;
            break;
        case QXmlStreamReader::Characters:
            if (paragraphDepth > 0) text += xml.text();
            break;
        default:
            break;
        }
    }
    return text;
}

} // namespace

// The text of the cell the reader stands on, read to the cell's end: its value as text or, where
// its style has a number format, the text stored with it, as the application that wrote it
// showed it.
QString OdsReader::cellText(XmlPart &part, const QString &style)
{
    const QXmlStreamAttributes attributes = part.xml().attributes();
    const QStringView type = attributes.value(officeNs, QLatin1String("value-type"));
    // LibreOffice marks a formula's error result this way and shows the error in its paragraph.
    if (attributes.value(calcExtNs, QLatin1String("value-type")) == u"error")
        return paragraphs(part);
    std::optional<QString> text;
    const bool number = type == u"float" || type == u"percentage" || type == u"currency";
    if (number) {
        bool ok = false;
        const double value = attributes.value(officeNs, QLatin1String("value")).toDouble(&ok);
        if (ok) text = CellTextFormatter::number(value);
    } else if (type == u"date") {
        text = CellTextFormatter::isoDate(attributes.value(officeNs, QLatin1String("date-value")));
    } else if (type == u"time") {
        text = CellTextFormatter::isoDuration(
            attributes.value(officeNs, QLatin1String("time-value")));
    } else if (type == u"boolean") {
        const QStringView value = attributes.value(officeNs, QLatin1String("boolean-value"));
        text = CellTextFormatter::boolean(value == u"true" || value == u"1");
    } else if (type == u"string"
        && attributes.hasAttribute(officeNs, QLatin1String("string-value"))) {
        text = attributes.value(officeNs, QLatin1String("string-value")).toString();
    }
    // A value that says nothing sensible shows as LibreOffice shows it: its paragraphs.
    if (!text) return paragraphs(part);
    if ((number || type == u"date" || type == u"time") && texts_ == CellTexts::Shown
        && hasNumberFormat(style)) {
        const QString shown = paragraphs(part);
        return shown.isEmpty() ? *text : shown;
    }
    part.skipCurrentElement();
    return *text;
}

void OdsReader::readStyle(const QXmlStreamAttributes &attributes)
{
    if (attributes.value(styleNs, QLatin1String("family")) != u"table-cell") return;
    const QStringView name = attributes.value(styleNs, QLatin1String("name"));
    const QStringView parent = attributes.value(styleNs, QLatin1String("parent-style-name"));
    styleText_ += name.size() + parent.size();
    styles_.insert(name.toString(),
        {parent.toString(),
            !attributes.value(styleNs, QLatin1String("data-style-name")).isEmpty()});
    CellFormats::checkCollected(styles_.size(), 0, styleText_);
}

// Whether the style or one it inherits from names a data style (the default style, General,
// names none).
bool OdsReader::hasNumberFormat(const QString &style) const
{
    QString name = style;
    for (int depth = 0; depth < 16 && !name.isEmpty(); ++depth) { // a loop of parents ends too
        const auto found = styles_.constFind(name);
        if (found == styles_.constEnd()) return false;
        if (found->numberFormat) return true;
        name = found->parent;
    }
    return false;
}

void OdsReader::readColumn(const QXmlStreamAttributes &attributes)
{
    const qint64 end
        = std::min(column_ + repeatCount(attributes, QLatin1String("number-columns-repeated")),
            SheetBuilder::maxColumns + 1);
    const QString style
        = attributes.value(tableNs, QLatin1String("default-cell-style-name")).toString();
    // Columns past the last one a table may have take no style: they hold no cells.
    if (!style.isEmpty() && end > column_) {
        styleText_ += style.size();
        CellFormats::checkCollected(0, 0, styleText_);
        columnStyles_.push_back({column_, end, style});
    }
    column_ = end;
}

QString OdsReader::columnStyle(qint64 column) const
{
    const auto after = std::upper_bound(columnStyles_.begin(), columnStyles_.end(), column,
        [](qint64 c, const ColumnStyle &run) { return c < run.first; });
    if (after == columnStyles_.begin() || column >= (after - 1)->end) return {};
    return (after - 1)->style;
}

bool OdsReader::recognises(const ZipArchive &archive)
{
    return archive.contains(QStringLiteral("content.xml"));
}

Sheet OdsReader::readSheet1(const ZipArchive &archive, CellTexts texts)
{
    OdsReader reader(texts);
    // The named styles a cell's automatic style may inherit its number format from.
    const QString stylesName = QStringLiteral("styles.xml");
    if (texts == CellTexts::Shown && archive.contains(stylesName)) {
        XmlPart styles(archive, stylesName);
        while (styles.nextStartElement()) {
            if (isElement(styles.xml(), styleNs, u"style"))
                reader.readStyle(styles.xml().attributes());
        }
        styles.checkRead();
    }
    XmlPart part(archive, QStringLiteral("content.xml"));
    const QXmlStreamReader &xml = part.xml();
    bool spreadsheet = false;
    bool found = false;
    while (part.nextStartElement()) {
        if (isElement(xml, styleNs, u"style")) {
            reader.readStyle(xml.attributes());
        } else if (isElement(xml, officeNs, u"spreadsheet")) {
            spreadsheet = true;
        } else if (isElement(xml, tableNs, u"table")) {
            const bool isSheet1 = xml.attributes()
                                      .value(tableNs, QLatin1String("name"))
                                      .compare(u"sheet1", Qt::CaseInsensitive)
                == 0;
            if (spreadsheet && isSheet1 && !found) {
                reader.readTable(part);
                found = true;
            } else {
                part.skipCurrentElement();
            }
        }
    }
    part.checkRead();
    if (!spreadsheet) throw WorkbookError::notSpreadsheetDocument();
    if (!found) throw WorkbookError::noSheet1();
    return reader.builder_.build();
}

// Rows in header rows, row groups (nested) and plain, in document order, to the table's end.
void OdsReader::readTable(XmlPart &part)
{
    const QXmlStreamReader &xml = part.xml();
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (part.readNext()) {
        case QXmlStreamReader::StartElement:
            if (isElement(xml, tableNs, u"table-row")) {
                readRow(part);
            } else if (isElement(xml, tableNs, u"table-column")) {
                readColumn(xml.attributes());
                part.skipCurrentElement();
            } else if (isElement(xml, officeNs, u"forms") || isElement(xml, tableNs, u"shapes")) {
                part.skipCurrentElement();
            } else {
                ++depth;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
}

// One row, repeated as often as it says; the repeated empty rows and cells that fill a sheet to
// its end only move the position on.
void OdsReader::readRow(XmlPart &part)
{
    const QXmlStreamReader &xml = part.xml();
    const qint64 repeat = repeatCount(xml.attributes(), QLatin1String("number-rows-repeated"));
    const QString rowStyle
        = xml.attributes().value(tableNs, QLatin1String("default-cell-style-name")).toString();
    rowCells_.clear();
    qint64 column = 0;
    while (part.readNextStartElement()) {
        const bool covered = isElement(xml, tableNs, u"covered-table-cell");
        if (!covered && !isElement(xml, tableNs, u"table-cell")) {
            part.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attributes = xml.attributes();
        const qint64 columns = repeatCount(attributes, QLatin1String("number-columns-repeated"));
        // The cell's own style, else its row's, else its column's.
        QString style;
        if (texts_ == CellTexts::Shown) {
            style = attributes.value(tableNs, QLatin1String("style-name")).toString();
            if (style.isEmpty()) style = rowStyle.isEmpty() ? columnStyle(column) : rowStyle;
        }
        const QString text
            = covered ? (part.skipCurrentElement(), QString()) : cellText(part, style);
        if (!text.isEmpty()) {
            if (column + columns > SheetBuilder::maxColumns) throw WorkbookError::tooLarge();
            for (qint64 k = 0; k < columns; ++k)
                rowCells_.emplace_back(column + k, text);
        }
        column = std::min(column + columns, SheetBuilder::maxColumns + 1);
    }
    if (!rowCells_.empty()) {
        if (row_ + repeat > SheetBuilder::maxRows) throw WorkbookError::tooLarge();
        for (qint64 k = 0; k < repeat; ++k) {
            for (const auto &[cellColumn, text] : rowCells_)
                builder_.setCell(row_ + k, cellColumn, text);
        }
    }
    row_ = std::min(row_ + repeat, SheetBuilder::maxRows + 1);
}

} // namespace tagloom
