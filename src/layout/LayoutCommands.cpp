// The save layout and import layout commands: the file dialog, then writing or loading.
#include "LayoutCommands.h"

#include "LayoutLoader.h"
#include "LayoutWriter.h"
#include "app/CommonDialog.h"
#include "app/MessageBox.h"
#include "app/Workspace.h"

namespace tagloom {

namespace {

const QString layoutFilter = QStringLiteral("*.ini 文件|*.ini");

} // namespace

void LayoutCommands::save(Workspace &workspace, CommonDialog &dialog, QWidget *parent)
{
    dialog.setCancelError(true);
    dialog.setFilter(layoutFilter);
    if (!dialog.showSave()) return;
    QString reason;
    if (!LayoutWriter::save(workspace.panel(), workspace.canvas(), dialog.fileName(), &reason)) {
        // The user would otherwise believe the design was saved.
        errorBox(workspace.dialogs(), parent,
            QStringLiteral("布局没有保存：无法写入文件“%1”。\n%2").arg(dialog.fileName(), reason));
        return;
    }
    messageBox(workspace.dialogs(), parent, QStringLiteral("保存完成"), MessageButtons::Ok,
        QStringLiteral("保存"));
}

void LayoutCommands::open(Workspace &workspace, CommonDialog &dialog)
{
    dialog.setCancelError(true);
    dialog.setFilter(layoutFilter);
    if (!dialog.showOpen()) return;
    LayoutLoader::load(workspace, dialog.fileName());
}

} // namespace tagloom
