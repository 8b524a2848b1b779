// Reads the sheet named sheet1 of an .xlsx workbook.
#include "XlsxReader.h"

#include "CellFormats.h"
#include "OpcPackage.h"
#include "SheetBuilder.h"
#include "WorkbookError.h"
#include "XlsxSheetReader.h"
#include "XlsxText.h"
#include "XmlPart.h"
#include "ZipArchive.h"

namespace tagloom {

namespace {

struct WorkbookPart
{
    bool dates1904 = false;
    QString sheet1Id; // its relationship id
};

WorkbookPart readWorkbook(const ZipArchive &archive, const QString &name)
{
    XmlPart part(archive, name);
    const QXmlStreamReader &xml = part.xml();
    // A word processor or presentation document is a package too, with another root.
    if (!part.nextStartElement() || xml.name() != u"workbook") {
        part.checkRead();
        throw WorkbookError::noWorkbookInZip();
    }
    WorkbookPart workbook;
    // Excel 2010 and later repeat workbookPr in extensions (x14:, x15:) without the date system:
    // only the workbook's own says which one it is.
    const QString workbookNamespace = xml.namespaceUri().toString();
    while (part.nextStartElement()) {
        if (xml.name() == u"workbookPr" && xml.namespaceUri() == workbookNamespace) {
            const QStringView date1904 = xml.attributes().value(QLatin1String("date1904"));
            workbook.dates1904 = date1904 == u"1" || date1904 == u"true";
        } else if (xml.name() == u"sheet" && workbook.sheet1Id.isEmpty()) {
            const QXmlStreamAttributes attributes = xml.attributes();
            if (attributes.value(QLatin1String("name")).compare(u"sheet1", Qt::CaseInsensitive)
                != 0)
                continue;
            // r:id, in whichever namespace prefix the writer chose
            for (const QXmlStreamAttribute &attribute : attributes) {
                if (attribute.name() == u"id" && !attribute.namespaceUri().isEmpty())
                    workbook.sheet1Id = attribute.value().toString();
            }
            if (workbook.sheet1Id.isEmpty()) throw WorkbookError::damaged();
        }
    }
    part.checkRead();
    if (workbook.sheet1Id.isEmpty()) throw WorkbookError::noSheet1();
    return workbook;
}

quint32 unsignedAttribute(const QXmlStreamAttributes &attributes, QLatin1String name)
{
    return attributes.value(name).toUInt();
}

// The number formats and the cell formats (cellXfs) that cells refer to by their s attribute.
CellFormats readStyles(
    const ZipArchive &archive, const QString &name, bool dates1904, CellTexts texts)
{
    if (name.isEmpty() || !archive.contains(name)) return CellFormats({}, {}, dates1904, texts);
    XmlPart part(archive, name);
    const QXmlStreamReader &xml = part.xml();
    QHash<quint32, QString> patterns;
    qint64 patternText = 0;
    std::vector<quint32> xfFormatIds;
    while (part.nextStartElement()) {
        if (xml.name() == u"numFmt") {
            const QXmlStreamAttributes attributes = xml.attributes();
            const QStringView code = attributes.value(QLatin1String("formatCode"));
            patternText += code.size();
            patterns.insert(
                unsignedAttribute(attributes, QLatin1String("numFmtId")), code.toString());
        } else if (xml.name() == u"cellXfs") {
            // Only the xf elements of cellXfs: those of cellStyleXfs are not referred to by cells.
            while (part.readNextStartElement()) {
                if (xml.name() == u"xf")
                    xfFormatIds.push_back(
                        unsignedAttribute(xml.attributes(), QLatin1String("numFmtId")));
                part.skipCurrentElement();
                CellFormats::checkCollected(xfFormatIds.size(), 0, 0);
            }
        }
        CellFormats::checkCollected(0, patterns.size(), patternText);
    }
    part.checkRead();
    return CellFormats(patterns, xfFormatIds, dates1904, texts);
}

// Throws WorkbookError::tooMuchText() for more text than a table may hold.
std::vector<QString> readSharedStrings(const ZipArchive &archive, const QString &name)
{
    std::vector<QString> strings;
    if (name.isEmpty() || !archive.contains(name)) return strings;
    XmlPart part(archive, name);
    qint64 length = 0;
    while (part.nextStartElement()) {
        if (part.xml().name() != u"si") continue;
        strings.push_back(XlsxText::richText(part));
        length += strings.back().size();
        if (length > SheetBuilder::maxTextLength) throw WorkbookError::tooMuchText();
    }
    part.checkRead();
    return strings;
}

} // namespace

bool XlsxReader::recognises(const ZipArchive &archive)
{
    return archive.contains(QStringLiteral("_rels/.rels"));
}

Sheet XlsxReader::readSheet1(const ZipArchive &archive, CellTexts texts)
{
    const QString workbookName
        = OpcPackage::first(OpcPackage::relationships(archive, QString()), u"officeDocument")
              .target;
    if (workbookName.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive))
        throw WorkbookError::binaryWorkbook();
    if (workbookName.isEmpty() || !archive.contains(workbookName))
        throw WorkbookError::noWorkbookInZip();
    const WorkbookPart workbook = readWorkbook(archive, workbookName);

    const std::vector<OpcRelationship> parts = OpcPackage::relationships(archive, workbookName);
    QString sheetName;
    for (const OpcRelationship &relationship : parts) {
        if (relationship.id == workbook.sheet1Id) sheetName = relationship.target;
    }
    if (sheetName.isEmpty()) throw WorkbookError::damaged();
    const CellFormats formats = readStyles(
        archive, OpcPackage::first(parts, u"styles").target, workbook.dates1904, texts);
    const std::vector<QString> strings
        = readSharedStrings(archive, OpcPackage::first(parts, u"sharedStrings").target);
    XmlPart sheet(archive, sheetName);
    return XlsxSheetReader(strings, formats).read(sheet);
}

} // namespace tagloom
