// Reads the cell records of one worksheet substream into a Sheet of texts.
#include "WorksheetReader.h"

#include "BiffRecordCursor.h"
#include "WorkbookError.h"
#include "WorkbookGlobals.h"

#include <bit>

namespace tagloom {

namespace {

// An RK value: a 30-bit integer or the top 30 bits of a double, either one possibly times 100.
double rkValue(quint32 rk)
{
    const double value = (rk & 2) ? double(qint32(rk) >> 2)
                                  : std::bit_cast<double>(quint64(rk & 0xFFFFFFFCu) << 32);
    return (rk & 1) ? value / 100 : value;
}

bool holdsOneValue(quint16 type)
{
    switch (type) {
    case biff::Number:
    case biff::Rk:
    case biff::Label:
    case biff::RString:
    case biff::LabelSst:
    case biff::BoolErr:
    case biff::Formula:
        return true;
    }
    return false;
}

} // namespace

WorksheetReader::WorksheetReader(const WorkbookGlobals &globals)
    : globals_(globals)
{
}

Sheet WorksheetReader::read(QByteArrayView stream, quint32 offset)
{
    BiffRecordCursor cursor(stream, offset);
    if (!cursor.next() || cursor.record().type() != biff::Bof) throw WorkbookError::damaged();
    int depth = 1; // charts embedded in the sheet bring their own BOF ... EOF
    while (cursor.next()) {
        BiffRecord &record = cursor.record();
        if (record.type() == biff::Bof) {
            ++depth;
        } else if (record.type() == biff::Eof) {
            if (--depth == 0) return builder_.build();
        } else if (depth == 1) {
            readCell(record);
        }
    }
    throw WorkbookError::damaged(); // no EOF record
}

// BLANK, MULBLANK and the records that hold no cell value are passed over.
void WorksheetReader::readCell(BiffRecord &record)
{
    if (record.type() == biff::String) {
        if (awaitingString_) {
            const auto [address, xf] = *awaitingString_;
            setCell(address.row, address.column, globals_.formats().text(xf, record.string16()));
        }
        awaitingString_.reset();
    } else if (record.type() == biff::MulRk) {
        const quint16 row = record.u16();
        // Pairs of style and RK value for consecutive columns, then the last column number.
        for (quint16 column = record.u16(); record.remaining() > 2; ++column) {
            const quint16 xf = record.u16();
            setCell(row, column, globals_.formats().number(xf, rkValue(record.u32())));
        }
    } else if (holdsOneValue(record.type())) {
        const Address address {record.u16(), record.u16()};
        const quint16 xf = record.u16();
        setCell(address.row, address.column, valueText(record, address, xf));
    }
}

void WorksheetReader::setCell(quint16 row, quint16 column, QString text)
{
    constexpr quint16 maxColumns = 256; // of an Excel 97-2003 sheet
    if (column >= maxColumns) throw WorkbookError::damaged();
    builder_.setCell(row, column, std::move(text));
}

QString WorksheetReader::valueText(BiffRecord &record, Address address, quint16 xf)
{
    const CellFormats &formats = globals_.formats();
    switch (record.type()) {
    case biff::Number:
        return formats.number(xf, record.f64());
    case biff::Rk:
        return formats.number(xf, rkValue(record.u32()));
    case biff::LabelSst:
        return formats.text(xf, globals_.strings().at(record.u32()));
    case biff::BoolErr: {
        const quint8 value = record.u8();
        return record.u8() ? CellTextFormatter::error(value)
                           : CellTextFormatter::boolean(value != 0);
    }
    case biff::Formula:
        return formulaText(record, address, xf);
    }
    return formats.text(xf, record.string16()); // LABEL and RSTRING
}

// The cached result: a double, or a marker whose top 16 bits are all set and whose first byte
// says text (in the next STRING record), boolean, error or empty text.
QString WorksheetReader::formulaText(BiffRecord &record, Address address, quint16 xf)
{
    const double value = record.f64();
    const quint64 bits = std::bit_cast<quint64>(value);
    if (bits >> 48 != 0xFFFF) return globals_.formats().number(xf, value);
    const auto payload = quint8(bits >> 16);
    switch (bits & 0xFF) {
    case 0:
        awaitingString_ = {address, xf};
        return {};
    case 1:
        return CellTextFormatter::boolean(payload != 0);
    case 2:
        return CellTextFormatter::error(payload);
    case 3:
        return {};
    }
    throw WorkbookError::damaged();
}

} // namespace tagloom
