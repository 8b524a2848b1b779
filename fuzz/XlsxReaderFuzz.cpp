// libFuzzer entry point for the .xlsx reader. Bytes that begin like a zip archive are the whole
// file; any others are the worksheet of a package whose other parts are fixed (workbook, shared
// strings, styles with date formats), so that mutations reach the cells.
#include "FuzzChecks.h"
#include "ZipPackage.h"

#include <cstdint>

namespace {

QByteArray package(const QByteArray &sheet)
{
    static const QByteArray rels = R"(<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)";
    static const QByteArray workbook = R"(<?xml version="1.0"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><workbookPr date1904="0"/><sheets><sheet name="Data" sheetId="1" r:id="rId2"/><sheet name="Sheet1" sheetId="2" r:id="rId1"/></sheets></workbook>)";
    static const QByteArray workbookRels = R"(<?xml version="1.0"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="/xl/styles.xml"/><Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/></Relationships>)";
    static const QByteArray strings = R"(<?xml version="1.0"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><si><t>name</t></si><si><r><t>rich </t></r><r><t>text</t></r><rPh><t>no</t></rPh></si><si><t xml:space="preserve"> _x000D_ _x005F_x0041_ </t></si></sst>)";
    static const QByteArray styles = R"(<?xml version="1.0"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><numFmts><numFmt numFmtId="164" formatCode="yyyy&quot;年&quot;m&quot;月&quot;"/><numFmt numFmtId="165" formatCode="0\d"/></numFmts><cellXfs><xf numFmtId="0"/><xf numFmtId="14"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="31"/></cellXfs></styleSheet>)";
    return tagloom::fuzz::zipPackage({{"_rels/.rels", rels}, {"xl/workbook.xml", workbook},
        {"xl/_rels/workbook.xml.rels", workbookRels}, {"xl/sharedStrings.xml", strings},
        {"xl/styles.xml", styles}, {"xl/worksheets/sheet1.xml", sheet}});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes
        = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    tagloom::fuzz::readOrRefuse(
        bytes.startsWith("PK") ? bytes : package(bytes), QStringLiteral("fuzz.xlsx"));
    return 0;
}
