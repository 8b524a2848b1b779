// The workbook's shared strings (SST record), which LABELSST cells refer to by index.
#include "SharedStringTable.h"

#include "BiffRecord.h"
#include "SheetBuilder.h"
#include "WorkbookError.h"

#include <algorithm>

namespace tagloom {

void SharedStringTable::read(BiffRecord &sst)
{
    sst.skip(4); // total number of references, unused
    const quint32 count = sst.u32();
    strings_.clear();
    // Every string takes 3 bytes or more: the claimed count cannot make us reserve beyond the data.
    strings_.reserve(std::min<std::size_t>(count, std::size_t(sst.remaining() / 3)));
    // Some writers claim more strings than they store; the stored ones are kept.
    qint64 textLength = 0;
    while (strings_.size() < count && sst.remaining() > 0) {
        const quint16 length = sst.u16();
        const quint8 flags = sst.u8();
        const quint16 runCount = (flags & 0x08) ? sst.u16() : 0;
        const quint32 phoneticSize = (flags & 0x04) ? sst.u32() : 0;
        strings_.push_back(sst.characters(length, flags));
        textLength += length;
        if (textLength > SheetBuilder::maxTextLength) throw WorkbookError::tooMuchText();
        // Formatting runs and Far East phonetic data carry nothing the table shows.
        sst.skip(qsizetype(runCount) * 4);
        sst.skip(qsizetype(phoneticSize));
    }
}

const QString &SharedStringTable::at(quint32 index) const
{
    if (index >= strings_.size()) throw WorkbookError::damaged();
    return strings_[index];
}

} // namespace tagloom
