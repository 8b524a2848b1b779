// Why a workbook cannot be read: short Chinese texts, as the program's interface is Chinese.
#include "WorkbookError.h"

namespace tagloom {

WorkbookError WorkbookError::unreadable()
{
    return WorkbookError(QStringLiteral("文件不存在或无法读取"));
}

WorkbookError WorkbookError::emptyFile()
{
    return WorkbookError(QStringLiteral("文件是空的"));
}

WorkbookError WorkbookError::unknownFormat()
{
    return WorkbookError(
        QStringLiteral("不是能读取的数据文件（.xls、.xlsx、.ods 工作簿或 .csv、.tsv、.txt 文本）"));
}

WorkbookError WorkbookError::notWorkbook()
{
    return WorkbookError(QStringLiteral("不是 Excel 97–2003 工作簿"));
}

WorkbookError WorkbookError::binaryWorkbook()
{
    return WorkbookError(QStringLiteral("这是 .xlsb 二进制工作簿，请另存为 .xlsx 格式"));
}

WorkbookError WorkbookError::noWorkbookInZip()
{
    return WorkbookError(QStringLiteral("这是 zip 压缩文件，其中没有工作簿"));
}

WorkbookError WorkbookError::notSpreadsheetDocument()
{
    return WorkbookError(QStringLiteral("这是 OpenDocument 文档，但不是电子表格"));
}

WorkbookError WorkbookError::binaryText()
{
    return WorkbookError(QStringLiteral("文件含有 NUL 字节，不是文本表格"));
}

WorkbookError WorkbookError::notTextTable()
{
    return WorkbookError(QStringLiteral("文件中有太多控制字符或未分配的字符，不是文本表格"));
}

WorkbookError WorkbookError::cutShortUtf16()
{
    return WorkbookError(QStringLiteral("UTF-16 文本的最后一个字符不完整"));
}

WorkbookError WorkbookError::fileTooLarge()
{
    return WorkbookError(QStringLiteral("文件超过 1 GiB，不像标签数据，不予读取"));
}

WorkbookError WorkbookError::undecodableText(quint8 byte, qint64 line)
{
    return WorkbookError(
        QStringLiteral("第 %1 行的字节 0x%2 无法识别：文件不是 UTF-8、GB18030 或 Windows-1252 文本")
            .arg(line)
            .arg(QString::number(byte, 16).toUpper().rightJustified(2, u'0')));
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

WorkbookError WorkbookError::inflatesTooFar()
{
    return WorkbookError(QStringLiteral("工作簿解压后超过 1 GiB，不像正常的工作簿，不予读取"));
}

WorkbookError WorkbookError::tooLarge()
{
    return WorkbookError(
        QStringLiteral("表格太大：最多 1048576 行、16384 列、共 16777216 个单元格"));
}

WorkbookError WorkbookError::cellTooLong()
{
    return WorkbookError(QStringLiteral("单元格太长：一个单元格最多 1048576 个字符"));
}

WorkbookError WorkbookError::tooMuchText()
{
    return WorkbookError(QStringLiteral("表格文字太多：全表最多 268435456 个字符（512 MB）"));
}

WorkbookError WorkbookError::xmlEntities()
{
    return WorkbookError(QStringLiteral("工作簿的 XML 声明了实体，正常的工作簿没有，不予读取"));
}

WorkbookError WorkbookError::xmlTooDeep()
{
    return WorkbookError(
        QStringLiteral("工作簿的 XML 嵌套超过 256 层，不像正常的工作簿，不予读取"));
}

WorkbookError WorkbookError::xmlTooLong()
{
    return WorkbookError(
        QStringLiteral("工作簿的 XML 中有一段超过 16 MB，不像正常的工作簿，不予读取"));
}

WorkbookError WorkbookError::tooManyStyles()
{
    return WorkbookError(QStringLiteral("工作簿的单元格格式太多，不像正常的工作簿，不予读取"));
}

WorkbookError WorkbookError::tooManyRelationships()
{
    return WorkbookError(QStringLiteral("工作簿的部件关系太多，不像正常的工作簿，不予读取"));
}

WorkbookError WorkbookError::outOfMemory()
{
    return WorkbookError(QStringLiteral("内存不足，无法读取"));
}

} // namespace tagloom
