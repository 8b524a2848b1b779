// Importing sheet1 of the chosen workbook into the data table and the windows around it.
#include "WorkbookImport.h"

#include "DataFileReader.h"
#include "DataTable.h"
#include "app/Workspace.h"

namespace tagloom {

QStringList WorkbookImport::filePatterns()
{
    return {QStringLiteral("*.xls"), QStringLiteral("*.xlsx"), QStringLiteral("*.ods"),
        QStringLiteral("*.csv"), QStringLiteral("*.tsv"), QStringLiteral("*.txt")};
}

bool WorkbookImport::run(Workspace &workspace, QString *reason, CellTexts texts)
{
    MainPanel &panel = workspace.panel();
    std::optional<Sheet> sheet = DataFileReader::readSheet1(panel.dataFilePath(), reason, texts);
    if (!sheet) return false;
    // The table is replaced: the design's steps taken back would no longer fit its columns.
    workspace.history().clear();

    DataTable &table = workspace.dataTable();
    try {
        const int fieldCount = sheet->columnCount();
        table.bind(fieldCount, sheet->takeCells());
    } catch (const std::bad_alloc &) {
        if (reason) *reason = QStringLiteral("内存不足，无法读入这个工作簿");
        return false;
    }
    if (!table.numberRows()) {
        if (reason) *reason = QStringLiteral("没有数据行，只有标题行");
        return false;
    }

    for (int col = 1; col < table.cols(); ++col) {
        panel.chooser(MainPanel::QrSource).append(table.cell(0, col));
        panel.chooser(MainPanel::BarcodeSource).append(table.cell(0, col));
    }
    workspace.announceSheetImported();
    panel.setRangeText(MainPanel::LastRow, QString::number(table.rows() - 1));
    return true;
}

} // namespace tagloom
