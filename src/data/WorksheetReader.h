// Reads the cell records of one worksheet substream into a Sheet of texts.
#pragma once

#include "Sheet.h"
#include "SheetBuilder.h"

#include <QByteArrayView>
#include <optional>
#include <utility>

namespace tagloom {

class BiffRecord;
class WorkbookGlobals;

class WorksheetReader
{
public:
    explicit WorksheetReader(const WorkbookGlobals &globals);

    // The worksheet whose BOF record is at offset in the workbook stream; throws WorkbookError.
    Sheet read(QByteArrayView stream, quint32 offset);

private:
    struct Address
    {
        quint16 row;
        quint16 column;
    };

    void readCell(BiffRecord &record);
    // Throws WorkbookError::damaged() for a column past the 256 of an Excel 97-2003 sheet.
    void setCell(quint16 row, quint16 column, QString text);
    QString valueText(BiffRecord &record, Address address, quint16 xf);
    QString formulaText(BiffRecord &record, Address address, quint16 xf);

    const WorkbookGlobals &globals_;
    SheetBuilder builder_;
    // A formula whose text result is in a STRING record, and its style.
    std::optional<std::pair<Address, quint16>> awaitingString_;
};

} // namespace tagloom
