// The workbook's shared strings (SST record), which LABELSST cells refer to by index.
#pragma once

#include <QString>
#include <vector>

namespace tagloom {

class BiffRecord;

class SharedStringTable
{
public:
    // Reads an SST record; its strings may run on across CONTINUE records. Throws
    // WorkbookError: damaged(), tooMuchText() for more text than a table may hold.
    void read(BiffRecord &sst);
    // Throws WorkbookError::damaged() for an index outside the table.
    const QString &at(quint32 index) const;

private:
    std::vector<QString> strings_;
};

} // namespace tagloom
