// The save layout and import layout commands: the file dialog, then writing or loading.
#include "LayoutCommands.h"

#include "LayoutLoader.h"
#include "LayoutText.h"
#include "LayoutWriter.h"
#include "app/CommonDialog.h"
#include "app/MessageBox.h"
#include "app/Workspace.h"

#include <QDir>
#include <QFileInfo>

namespace tagloom {

namespace {

const QString layoutFilter = QStringLiteral("*.ini 文件|*.ini");

// The name the save dialog starts on: never the workbook or the picture the dialog chose last,
// which Enter would then replace. The last layout, else a layout named after the workbook or the
// picture in their folder.
QString proposedLayoutName(const MainPanel &panel, const QString &lastChosen)
{
    if (!panel.layoutPath().isEmpty()) return panel.layoutPath();
    for (const QString &source : {panel.dataFilePath(), panel.labelPicturePath()}) {
        const QFileInfo file(source);
        if (file.isFile())
            return file.dir().filePath(file.completeBaseName() + QLatin1String(".ini"));
    }
    return lastChosen.isEmpty() ? QString() : QFileInfo(lastChosen).absolutePath();
}

// True when the chosen file may be replaced: it is new, a layout, or the user says so.
bool mayReplace(Workspace &workspace, QWidget *parent, const QString &path)
{
    if (!QFileInfo(path).isFile() || LayoutText::looksLikeLayout(path)) return true;
    const QString question
        = QStringLiteral("“%1”不是布局文件。\n用布局替换它，它原有的内容就会丢失。"
                         "确实要替换吗？")
              .arg(QDir::toNativeSeparators(path));
    return messageBox(workspace.dialogs(), parent, question, MessageButtons::YesNo)
        == MessageAnswer::Yes;
}

} // namespace

bool LayoutCommands::save(Workspace &workspace, CommonDialog &dialog, QWidget *parent)
{
    dialog.setCancelError(true);
    dialog.setFilter(layoutFilter);
    dialog.setFileName(proposedLayoutName(workspace.panel(), dialog.fileName()));
    if (!dialog.showSave()) return false;
    if (!mayReplace(workspace, parent, dialog.fileName())) return false;
    QString reason;
    if (!LayoutWriter::save(workspace.panel(), workspace.canvas(), dialog.fileName(), &reason)) {
        // The user would otherwise believe the design was saved.
        errorBox(workspace.dialogs(), parent,
            QStringLiteral("布局没有保存：无法写入文件“%1”。\n%2").arg(dialog.fileName(), reason));
        return false;
    }
    workspace.panel().setLayoutPath(dialog.fileName());
    workspace.history().markSaved();
    messageBox(workspace.dialogs(), parent, QStringLiteral("保存完成"), MessageButtons::Ok,
        QStringLiteral("保存"));
    return true;
}

bool LayoutCommands::open(Workspace &workspace, CommonDialog &dialog, QString *reason)
{
    dialog.setCancelError(true);
    dialog.setFilter(layoutFilter);
    if (!dialog.showOpen()) return false;
    return LayoutLoader::load(workspace, dialog.fileName(), reason);
}

} // namespace tagloom
