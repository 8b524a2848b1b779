// Why a data file cannot be read: thrown inside the readers, handed to the caller as a refusal.
#pragma once

#include <QString>
#include <utility>

namespace tagloom {

class WorkbookError
{
public:
    static WorkbookError unreadable();
    static WorkbookError emptyFile();
    static WorkbookError unknownFormat();
    static WorkbookError notWorkbook();
    static WorkbookError olderFormat();
    static WorkbookError binaryWorkbook();
    static WorkbookError noWorkbookInZip();
    static WorkbookError notSpreadsheetDocument();
    static WorkbookError binaryText();
    static WorkbookError notTextTable();
    static WorkbookError cutShortUtf16();
    static WorkbookError fileTooLarge();
    // byte at line (from 1) is none of the encodings a text table may have.
    static WorkbookError undecodableText(quint8 byte, qint64 line);
    static WorkbookError encrypted();
    static WorkbookError noSheet1();
    static WorkbookError damaged();
    static WorkbookError inflatesTooFar();
    static WorkbookError tooLarge();
    static WorkbookError cellTooLong();
    static WorkbookError tooMuchText();
    static WorkbookError xmlEntities();
    static WorkbookError xmlTooDeep();
    static WorkbookError xmlTooLong();
    static WorkbookError tooManyStyles();
    static WorkbookError tooManyRelationships();
    static WorkbookError outOfMemory();

    const QString &reason() const { return reason_; }

private:
    explicit WorkbookError(QString reason)
        : reason_(std::move(reason))
    {
    }

    QString reason_;
};

} // namespace tagloom
