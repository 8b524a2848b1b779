// Importing sheet1 of the chosen workbook into the data table and the windows around it.
#include "WorkbookImport.h"

#include "DataTable.h"
#include "WorkbookReader.h"
#include "app/Workspace.h"

namespace tagloom {

QStringList WorkbookImport::filePatterns()
{
    return {QStringLiteral("*.xls")};
}

bool WorkbookImport::run(Workspace &workspace, QString *reason)
{
    MainPanel &panel = workspace.panel();
    DataTable &table = workspace.dataTable();
    try {
        std::optional<Sheet> sheet = WorkbookReader::readSheet1(panel.dataFilePath(), reason);
        if (!sheet) return false;
        const int fieldCount = sheet->columnCount();
        table.bind(fieldCount, sheet->takeCells());
    } catch (const std::bad_alloc &) {
        if (reason) *reason = QStringLiteral("内存不足，无法读入这个工作簿");
        return false;
    }
    if (!table.numberRows()) {
        if (reason) *reason = QStringLiteral("sheet1 中没有数据行");
        return false;
    }

    for (int col = 1; col < table.cols(); ++col) {
        panel.chooser(MainPanel::QrSource).append(table.cell(0, col));
        panel.chooser(MainPanel::BarcodeSource).append(table.cell(0, col));
    }
    workspace.windows().showDataWindow();
    workspace.windows().fitDataColumns();
    panel.setRangeText(MainPanel::LastRow, QString::number(table.rows() - 1));
    return true;
}

} // namespace tagloom
