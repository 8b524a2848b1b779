// Walks the records of a BIFF8 stream from a given offset, joining each record's CONTINUE records.
#pragma once

#include "BiffRecord.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

namespace tagloom {

class BiffRecordCursor
{
public:
    // Throws WorkbookError::damaged() when offset lies outside the stream.
    BiffRecordCursor(QByteArrayView stream, qsizetype offset);

    // The next record, valid until the following call; false at the end of the stream.
    // Throws WorkbookError::damaged() for a record that runs past the end of the stream.
    bool next();
    BiffRecord &record() { return *record_; }

private:
    QByteArrayView body(quint16 *type);

    QByteArrayView stream_;
    qsizetype pos_;
    QByteArray joined_;
    std::vector<qsizetype> continueStarts_;
    std::optional<BiffRecord> record_;
};

} // namespace tagloom
