// Walks the records of a BIFF8 stream from a given offset, joining each record's CONTINUE records.
#pragma once

#include "data/BiffRecord.h"

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
    BiffRecord &record() { return *m_record; }

private:
    QByteArrayView body(quint16 *type);

    QByteArrayView m_stream;
    qsizetype m_pos;
    QByteArray m_joined;
    std::vector<qsizetype> m_continueStarts;
    std::optional<BiffRecord> m_record;
};

} // namespace tagloom
