// The generate command: one field item per data column, or the hidden ones shown again.
#include "FieldItemGenerator.h"

#include "DataTable.h"
#include "app/MessageBox.h"
#include "app/Workspace.h"
#include "canvas/LabelDesign.h"

namespace tagloom {

void FieldItemGenerator::run(Workspace &workspace)
{
    LabelDesign &design = workspace.canvas();
    const QString step = QStringLiteral("生成数据项");
    if (design.fieldCount() > 1) {
        workspace.history().record(design, step, [&design] {
            for (int index = 1; index < design.fieldCount(); ++index)
                design.setFieldVisible(index, true);
        });
        return;
    }

    const DataTable &table = workspace.dataTable();
    workspace.history().record(
        design, step, [&design, &table] { createItems(design, table, Placement::InOneColumn); });
    messageBox(workspace.dialogs(), nullptr,
        QStringLiteral("拖动数据项到合适的位置，双击设置字体，右键删除没用到的数据项。"),
        MessageButtons::Ok, QStringLiteral("完成"));
}

void FieldItemGenerator::createItems(
    LabelDesign &design, const DataTable &table, Placement placement)
{
    for (int col = 1; col < table.cols(); ++col) {
        design.loadField(col);
        design.setFieldCaption(col, table.cell(0, col));
        if (placement == Placement::InOneColumn) {
            design.moveField(col, 2000, static_cast<Twips>(300 * col));
            LabelFont font = design.field(col).font;
            font.pointSize = fieldFontSize;
            design.setFieldFont(col, font);
        }
        design.setFieldVisible(col, true);
    }
}

} // namespace tagloom
