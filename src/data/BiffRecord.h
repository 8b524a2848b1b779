// The body of one BIFF8 record (its CONTINUE records joined) with bounds-checked reads.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>
#include <span>

namespace tagloom {

namespace biff {
enum RecordType : quint16 {
    Formula = 0x0006,
    Eof = 0x000A,
    FilePass = 0x002F,
    DateMode = 0x0022,
    Continue = 0x003C,
    BoundSheet = 0x0085,
    MulRk = 0x00BD,
    Sst = 0x00FC,
    LabelSst = 0x00FD,
    RString = 0x00D6,
    Xf = 0x00E0,
    Number = 0x0203,
    Label = 0x0204,
    BoolErr = 0x0205,
    String = 0x0207,
    Rk = 0x027E,
    Format = 0x041E,
    Bof = 0x0809,
};
}

class BiffRecord
{
public:
    // continueStarts: offsets in body where a joined CONTINUE record begins, ascending.
    BiffRecord(quint16 type, QByteArrayView body, std::span<const qsizetype> continueStarts);

    quint16 type() const { return type_; }
    qsizetype remaining() const { return body_.size() - pos_; }

    // Each read throws WorkbookError::damaged() when the record is too short.
    quint8 u8();
    quint16 u16();
    quint32 u32();
    double f64();
    void skip(qsizetype byteCount);

    // count characters; a fresh option flags byte opens every CONTINUE record they run into.
    QString characters(qsizetype count, quint8 flags);
    // A string with a 16-bit character count and option flags (XLUnicodeString); an empty one
    // may lack its flags.
    QString string16();
    // A string with an 8-bit character count and option flags (ShortXLUnicodeString).
    QString string8();

private:
    const char *take(qsizetype byteCount);
    qsizetype segmentEnd();

    quint16 type_;
    QByteArrayView body_;
    std::span<const qsizetype> continueStarts_;
    qsizetype pos_ = 0;
    std::size_t nextContinue_ = 0;
};

} // namespace tagloom
