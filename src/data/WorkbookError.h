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

    const QString &reason() const { return m_reason; }

private:
    explicit WorkbookError(QString reason)
        : m_reason(std::move(reason))
    {
    }

    QString m_reason;
};

} // namespace tagloom
