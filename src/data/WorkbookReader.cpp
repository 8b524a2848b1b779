// Entry point of the Excel 97-2003 workbook reader: the sheet named sheet1 as texts.
#include "data/WorkbookReader.h"

#include "data/CompoundFile.h"
#include "data/WorkbookError.h"
#include "data/WorkbookGlobals.h"
#include "data/WorksheetReader.h"

#include <QFile>

namespace tagloom {

std::optional<Sheet> WorkbookReader::readSheet1(const QString &path, QString *reason)
{
    QFile file(path);
    try {
        if (!file.open(QIODevice::ReadOnly)) throw WorkbookError::unreadable();
        // Look before reading it all: the file may be large and anything but a workbook.
        CompoundFile::checkSignature(file.peek(8));
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) throw WorkbookError::unreadable();
        return readSheet1(bytes, reason);
    } catch (const WorkbookError &error) {
        if (reason) *reason = error.reason();
        return std::nullopt;
    }
}

std::optional<Sheet> WorkbookReader::readSheet1(const QByteArray &fileBytes, QString *reason)
{
    try {
        const QByteArray stream = CompoundFile::workbookStream(fileBytes);
        const WorkbookGlobals globals(stream);
        return WorksheetReader(globals).read(stream, globals.sheet1Offset());
    } catch (const WorkbookError &error) {
        if (reason) *reason = error.reason();
        return std::nullopt;
    }
}

} // namespace tagloom
