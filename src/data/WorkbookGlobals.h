// The workbook-wide records: where sheet1 starts, shared strings, cell styles, date system.
#pragma once

#include "data/CellFormats.h"
#include "data/SharedStringTable.h"

#include <QByteArrayView>
#include <optional>

namespace tagloom {

class WorkbookGlobals
{
public:
    // Reads the globals substream at the start of a workbook stream; throws WorkbookError.
    explicit WorkbookGlobals(QByteArrayView stream);

    // Stream offset of the sheet named sheet1 in any letter case; throws WorkbookError::noSheet1().
    quint32 sheet1Offset() const;
    const SharedStringTable &strings() const { return m_strings; }
    const CellFormats &formats() const { return m_formats; }
    bool dates1904() const { return m_dates1904; }

private:
    std::optional<quint32> m_sheet1Offset;
    SharedStringTable m_strings;
    CellFormats m_formats;
    bool m_dates1904 = false;
};

} // namespace tagloom
