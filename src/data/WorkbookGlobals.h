// The workbook-wide records: where sheet1 starts, shared strings, cell styles, date system.
#pragma once

#include "CellFormats.h"
#include "CellTexts.h"
#include "SharedStringTable.h"

#include <QByteArrayView>
#include <optional>

namespace tagloom {

class WorkbookGlobals
{
public:
    // Reads the globals substream at the start of a workbook stream; throws WorkbookError.
    WorkbookGlobals(QByteArrayView stream, CellTexts texts);

    // Stream offset of the sheet named sheet1 in any letter case; throws WorkbookError::noSheet1().
    quint32 sheet1Offset() const;
    const SharedStringTable &strings() const { return strings_; }
    const CellFormats &formats() const { return formats_; }

private:
    std::optional<quint32> sheet1Offset_;
    SharedStringTable strings_;
    CellFormats formats_;
};

} // namespace tagloom
