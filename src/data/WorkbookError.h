// Why a workbook cannot be read: thrown inside the reader, handed to the caller as a refusal.
#pragma once

#include <QString>
#include <utility>

namespace tagloom {

class WorkbookError
{
public:
    static WorkbookError unreadable();
    static WorkbookError notWorkbook();
    static WorkbookError newerFormat();
    static WorkbookError olderFormat();
    static WorkbookError encrypted();
    static WorkbookError noSheet1();
    static WorkbookError damaged();

    const QString &reason() const { return reason_; }

private:
    explicit WorkbookError(QString reason)
        : reason_(std::move(reason))
    {
    }

    QString reason_;
};

} // namespace tagloom
