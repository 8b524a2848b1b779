// Standard input copied into a CSV file of the run's own, which the import reads like any data
// file. The copy stops at what a data table can hold, so that an endless pipe fills neither the
// disk nor, later, the memory; the file goes when the run ends or is killed (TemporaryFolder).
#pragma once

#include "print/TemporaryFolder.h"

#include <QString>
#include <QtGlobal>

namespace tagloom {

class StandardInputCopy
{
public:
    // The most text a table is read from.
    static constexpr qint64 mostBytes = qint64(512) << 20;

    // Copies standard input to its end; false with the reason when it cannot, or when it holds
    // more lines than a table has rows or more than mostBytes.
    bool copy(QString *reason);
    QString path() const { return folder_.filePath(QStringLiteral("stdin.csv")); }

private:
    TemporaryFolder folder_;
};

} // namespace tagloom
