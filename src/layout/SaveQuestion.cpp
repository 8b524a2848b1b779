// The question before a changed design is thrown away, and the save it may run.
#include "SaveQuestion.h"

#include "LayoutCommands.h"
#include "app/MessageBox.h"
#include "app/Workspace.h"

namespace tagloom {

bool SaveQuestion::mayDiscard(Workspace &workspace, CommonDialog &dialog, QWidget *parent)
{
    if (!workspace.history().designChanged()) return true;
    switch (messageBox(workspace.dialogs(), parent, QStringLiteral("是否保存对标签设计的修改？"),
        MessageButtons::SaveDiscardCancel)) {
    case MessageAnswer::Save:
        return LayoutCommands::save(workspace, dialog, parent);
    case MessageAnswer::Discard:
        return true;
    default:
        return false;
    }
}

} // namespace tagloom
