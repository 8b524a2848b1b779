// The main window's two layout commands with their dialogs: save layout (Command8) and import
// layout (Command9). Both put the layout filter on the window's shared file dialog.
#pragma once

class QString;
class QWidget;

namespace tagloom {

class CommonDialog;
class Workspace;

class LayoutCommands
{
public:
    // The save dialog, then the file; "保存完成" when written, an error message when not. True
    // when the design was saved: it then counts as unchanged.
    static bool save(Workspace &workspace, CommonDialog &dialog, QWidget *parent);
    // The open dialog, then the load, with no message box whatever happens. False when the load
    // stopped early, saying why in `reason` (left empty when the user cancelled the dialog).
    static bool open(Workspace &workspace, CommonDialog &dialog, QString *reason);
};

} // namespace tagloom
