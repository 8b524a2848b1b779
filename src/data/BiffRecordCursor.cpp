// Walks the records of a BIFF8 stream from a given offset, joining each record's CONTINUE records.
#include "data/BiffRecordCursor.h"

#include "data/WorkbookError.h"

#include <QtEndian>

namespace tagloom {

BiffRecordCursor::BiffRecordCursor(QByteArrayView stream, qsizetype offset)
    : m_stream(stream)
    , m_pos(offset)
{
    if (offset < 0 || offset > stream.size()) throw WorkbookError::damaged();
}

// The body of the record at the read position, which moves past it (always by 4 bytes or more).
QByteArrayView BiffRecordCursor::body(quint16 *type)
{
    if (m_stream.size() - m_pos < 4) throw WorkbookError::damaged();
    const char *header = m_stream.data() + m_pos;
    *type = qFromLittleEndian<quint16>(header);
    const quint16 length = qFromLittleEndian<quint16>(header + 2);
    if (m_stream.size() - m_pos - 4 < length) throw WorkbookError::damaged();
    m_pos += 4 + length;
    return QByteArrayView(header + 4, length);
}

bool BiffRecordCursor::next()
{
    m_record.reset();
    if (m_pos == m_stream.size()) return false;
    quint16 type = 0;
    const QByteArrayView first = body(&type);
    m_continueStarts.clear();
    const auto continues = [this] {
        return m_stream.size() - m_pos >= 2
            && qFromLittleEndian<quint16>(m_stream.data() + m_pos) == biff::Continue;
    };
    if (!continues()) {
        m_record.emplace(type, first, m_continueStarts);
        return true;
    }
    // Only records followed by CONTINUE are copied, so the usual cell records are not.
    m_joined = first.toByteArray();
    while (continues()) {
        quint16 continueType = 0;
        const QByteArrayView more = body(&continueType);
        m_continueStarts.push_back(m_joined.size());
        m_joined.append(more);
    }
    m_record.emplace(type, m_joined, m_continueStarts);
    return true;
}

} // namespace tagloom
