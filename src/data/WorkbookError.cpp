// Why a workbook cannot be read: short Chinese texts, as the program's interface is Chinese.
#include "WorkbookError.h"

namespace tagloom {

WorkbookError WorkbookError::unreadable()
{
    return WorkbookError(QStringLiteral("文件不存在或无法读取"));
}

WorkbookError WorkbookError::notWorkbook()
{
    return WorkbookError(QStringLiteral("不是 Excel 97–2003 工作簿"));
}

WorkbookError WorkbookError::newerFormat()
{
    return WorkbookError(QStringLiteral("这是 .xlsx 工作簿，请另存为 Excel 97–2003 格式 (.xls)"));
}

WorkbookError WorkbookError::olderFormat()
{
    return WorkbookError(QStringLiteral("这是 Excel 5.0/95 工作簿，请另存为 Excel 97–2003 格式"));
}

WorkbookError WorkbookError::encrypted()
{
    return WorkbookError(QStringLiteral("工作簿有密码保护，无法读取"));
}

WorkbookError WorkbookError::noSheet1()
{
    return WorkbookError(QStringLiteral("工作簿中没有名为 sheet1 的工作表"));
}

WorkbookError WorkbookError::damaged()
{
    return WorkbookError(QStringLiteral("工作簿已损坏"));
}

} // namespace tagloom
