// The one entry point of the data file readers: the format from the content, then its reader.
#include "DataFileReader.h"

#include "CompoundFile.h"
#include "DelimitedTextReader.h"
#include "OdsReader.h"
#include "WorkbookError.h"
#include "WorkbookReader.h"
#include "XlsxReader.h"
#include "ZipArchive.h"

#include <QBuffer>
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

// The content of a data file opened as device, at its start: a workbook by its first bytes, read
// whole; delimited text by its name, read a piece at a time.
Sheet read(QIODevice &device, const QString &fileName, CellTexts texts)
{
    const qint64 size = device.size();
    if (size == 0) throw WorkbookError::emptyFile();
    if (size > DataFileReader::maxFileSize) throw WorkbookError::fileTooLarge();
    const QByteArray head = device.peek(8);
    const bool compoundFile = CompoundFile::hasSignature(head);
    if (compoundFile || ZipArchive::hasSignature(head)) {
        const QByteArray bytes = device.readAll();
        if (bytes.size() != size) throw WorkbookError::unreadable();
        return compoundFile ? WorkbookReader::readSheet1(bytes, texts) : readZipped(bytes, texts);
    }
    if (!DelimitedTextReader::isDelimitedTextName(fileName)) throw WorkbookError::unknownFormat();
    return DelimitedTextReader::read(device, fileName);
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
            return read(file, path, texts);
        },
        reason);
}

std::optional<Sheet> DataFileReader::readSheet1(
    const QByteArray &fileBytes, const QString &fileName, QString *reason, CellTexts texts)
{
    return refusingWithReason(
        [&] {
            QBuffer buffer;
            buffer.setData(fileBytes);
            buffer.open(QIODevice::ReadOnly);
            return read(buffer, fileName, texts);
        },
        reason);
}

} // namespace tagloom
