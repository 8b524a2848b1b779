// Walks the records of a BIFF8 stream from a given offset, joining each record's CONTINUE records.
#include "BiffRecordCursor.h"

#include "WorkbookError.h"

#include <QtEndian>

namespace tagloom {

BiffRecordCursor::BiffRecordCursor(QByteArrayView stream, qsizetype offset)
    : stream_(stream)
    , pos_(offset)
{
    if (offset < 0 || offset > stream.size()) throw WorkbookError::damaged();
}

// The body of the record at the read position, which moves past it (always by 4 bytes or more).
QByteArrayView BiffRecordCursor::body(quint16 *type)
{
    if (stream_.size() - pos_ < 4) throw WorkbookError::damaged();
    const char *header = stream_.data() + pos_;
    *type = qFromLittleEndian<quint16>(header);
    const quint16 length = qFromLittleEndian<quint16>(header + 2);
    if (stream_.size() - pos_ - 4 < length) throw WorkbookError::damaged();
    pos_ += 4 + length;
    return QByteArrayView(header + 4, length);
}

bool BiffRecordCursor::next()
{
    record_.reset();
    if (pos_ == stream_.size()) return false;
    quint16 type = 0;
    const QByteArrayView first = body(&type);
    continueStarts_.clear();
    const auto continues = [this] {
        return stream_.size() - pos_ >= 2
            && qFromLittleEndian<quint16>(stream_.data() + pos_) == biff::Continue;
    };
    if (!continues()) {
        record_.emplace(type, first, continueStarts_);
        return true;
    }
    // Only records followed by CONTINUE are copied, so the usual cell records are not.
    joined_ = first.toByteArray();
    while (continues()) {
        quint16 continueType = 0;
        const QByteArrayView more = body(&continueType);
        continueStarts_.push_back(joined_.size());
        joined_.append(more);
    }
    record_.emplace(type, joined_, continueStarts_);
    return true;
}

} // namespace tagloom
