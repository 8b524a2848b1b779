// The one entry point of the data file readers: the format from the content, then its reader.
#include "DataFileReader.h"

#include "CompoundFile.h"
#include "DelimitedTextReader.h"
#include "OdsReader.h"
#include "WorkbookError.h"
#include "WorkbookReader.h"
#include "XlsxReader.h"
#include "ZipArchive.h"

#include <QFile>
#include <new>
#include <stdexcept>

namespace tagloom {

namespace {

Sheet readZipped(const QByteArray &bytes, CellTexts texts)
{
    const ZipArchive archive(bytes);
    if (XlsxReader::recognises(archive)) return XlsxReader::readSheet1(archive, texts);
    if (OdsReader::recognises(archive)) return OdsReader::readSheet1(archive, texts);
    throw WorkbookError::noWorkbookInZip();
}

// A name and first bytes that no reader takes.
bool unknown(QByteArrayView head, const QString &fileName)
{
    return !CompoundFile::hasSignature(head) && !ZipArchive::hasSignature(head)
        && !DelimitedTextReader::isDelimitedTextName(fileName);
}

Sheet read(const QByteArray &bytes, const QString &fileName, CellTexts texts)
{
    if (bytes.isEmpty()) throw WorkbookError::emptyFile();
    if (CompoundFile::hasSignature(bytes)) return WorkbookReader::readSheet1(bytes, texts);
    if (ZipArchive::hasSignature(bytes)) return readZipped(bytes, texts);
    if (unknown(bytes, fileName)) throw WorkbookError::unknownFormat();
    return DelimitedTextReader::read(bytes, fileName);
}

template<typename Read> std::optional<Sheet> refusingWithReason(Read read, QString *reason)
{
    try {
        return read();
    } catch (const WorkbookError &error) {
        if (reason) *reason = error.reason();
    } catch (const std::bad_alloc &) {
        if (reason) *reason = WorkbookError::outOfMemory().reason();
    } catch (const std::length_error &) {
        if (reason) *reason = WorkbookError::outOfMemory().reason();
    }
    return std::nullopt;
}

} // namespace

std::optional<Sheet> DataFileReader::readSheet1(
    const QString &path, QString *reason, CellTexts texts)
{
    return refusingWithReason(
        [&path, texts] {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) throw WorkbookError::unreadable();
            if (file.size() == 0) throw WorkbookError::emptyFile();
            // Look before reading it all: the file may be large and none of ours.
            if (unknown(file.peek(8), path)) throw WorkbookError::unknownFormat();
            const QByteArray bytes = file.readAll();
            if (file.error() != QFileDevice::NoError) throw WorkbookError::unreadable();
            return read(bytes, path, texts);
        },
        reason);
}

std::optional<Sheet> DataFileReader::readSheet1(
    const QByteArray &fileBytes, const QString &fileName, QString *reason, CellTexts texts)
{
    return refusingWithReason([&] { return read(fileBytes, fileName, texts); }, reason);
}

} // namespace tagloom
