// Entry point of the Excel 97-2003 workbook reader: the sheet named sheet1 as texts.
#include "WorkbookReader.h"

#include "CompoundFile.h"
#include "WorkbookError.h"
#include "WorkbookGlobals.h"
#include "WorksheetReader.h"

#include <QFile>

namespace tagloom {

namespace {

Sheet sheet1(const QByteArray &workbookStream)
{
    const WorkbookGlobals globals(workbookStream);
    return WorksheetReader(globals).read(workbookStream, globals.sheet1Offset());
}

} // namespace

std::optional<Sheet> WorkbookReader::readSheet1(const QString &path, QString *reason)
{
    try {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) throw WorkbookError::unreadable();
        // Look before reading it all: the file may be large and anything but a workbook.
        CompoundFile::checkSignature(file.peek(8));
        QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) throw WorkbookError::unreadable();
        const QByteArray stream = CompoundFile::workbookStream(bytes);
        bytes.clear(); // the cells need the room more
        return sheet1(stream);
    } catch (const WorkbookError &error) {
        if (reason) *reason = error.reason();
        return std::nullopt;
    }
}

std::optional<Sheet> WorkbookReader::readSheet1(const QByteArray &fileBytes, QString *reason)
{
    try {
        return sheet1(CompoundFile::workbookStream(fileBytes));
    } catch (const WorkbookError &error) {
        if (reason) *reason = error.reason();
        return std::nullopt;
    }
}

} // namespace tagloom
