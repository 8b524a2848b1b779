// The Excel 97-2003 workbook reader: the sheet named sheet1 as texts.
#include "WorkbookReader.h"

#include "CompoundFile.h"
#include "WorkbookGlobals.h"
#include "WorksheetReader.h"

namespace tagloom {

Sheet WorkbookReader::readSheet1(const QByteArray &fileBytes, CellTexts texts)
{
    const QByteArray stream = CompoundFile::workbookStream(fileBytes);
    const WorkbookGlobals globals(stream, texts);
    return WorksheetReader(globals).read(stream, globals.sheet1Offset());
}

} // namespace tagloom
