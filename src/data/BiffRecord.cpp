// The body of one BIFF8 record (its CONTINUE records joined) with bounds-checked reads.
#include "BiffRecord.h"

#include "WorkbookError.h"

#include <QtEndian>
#include <algorithm>
#include <bit>

namespace tagloom {

BiffRecord::BiffRecord(quint16 type, QByteArrayView body, std::span<const qsizetype> continueStarts)
    : type_(type)
    , body_(body)
    , continueStarts_(continueStarts)
{
}

const char *BiffRecord::take(qsizetype byteCount)
{
    if (byteCount < 0 || byteCount > remaining()) throw WorkbookError::damaged();
    const char *p = body_.data() + pos_;
    pos_ += byteCount;
    return p;
}

quint8 BiffRecord::u8()
{
    return quint8(*take(1));
}

quint16 BiffRecord::u16()
{
    return qFromLittleEndian<quint16>(take(2));
}

quint32 BiffRecord::u32()
{
    return qFromLittleEndian<quint32>(take(4));
}

double BiffRecord::f64()
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(take(8)));
}

void BiffRecord::skip(qsizetype byteCount)
{
    take(byteCount);
}

// Where the piece of the body that holds the read position ends: the next CONTINUE start at or
// after it (so a read position right on a CONTINUE start yields an empty piece), or the body end.
qsizetype BiffRecord::segmentEnd()
{
    while (nextContinue_ < continueStarts_.size() && continueStarts_[nextContinue_] < pos_)
        ++nextContinue_;
    return nextContinue_ < continueStarts_.size() ? continueStarts_[nextContinue_] : body_.size();
}

QString BiffRecord::characters(qsizetype count, quint8 flags)
{
    // Every character takes at least one byte: this bounds the allocation by the data.
    if (count > remaining()) throw WorkbookError::damaged();
    QString text(count, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    bool wide = flags & 1;
    while (count > 0) {
        const qsizetype available = std::min(count, (segmentEnd() - pos_) / (wide ? 2 : 1));
        if (available == 0) {
            // Either a CONTINUE starts here, with its own flags byte, or the text is cut short.
            if (pos_ != segmentEnd() || pos_ == body_.size()) throw WorkbookError::damaged();
            wide = u8() & 1;
            continue;
        }
        const char *in = take(available * (wide ? 2 : 1));
        // Compressed characters are UTF-16 without the high byte, i.e. Latin-1: in BIFF8 the
        // CODEPAGE record has no say in them.
        if (wide)
            qFromLittleEndian<char16_t>(in, available, out);
        else
            std::transform(in, in + available, out, [](char c) { return char16_t(quint8(c)); });
        out += available;
        count -= available;
    }
    return text;
}

QString BiffRecord::string16()
{
    const quint16 count = u16();
    // Some writers leave out the option flags of an empty string that ends its record.
    if (count == 0 && remaining() == 0) return {};
    return characters(count, u8());
}

QString BiffRecord::string8()
{
    const quint8 count = u8();
    return characters(count, u8());
}

} // namespace tagloom
