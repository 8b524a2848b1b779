// Asks before a changed design is thrown away (closing the windows, loading a layout over it,
// choosing another picture): "是否保存对标签设计的修改？" with "保存", "不保存" and "取消". A
// design unchanged since it was saved or loaded goes without a question.
#pragma once

class QWidget;

namespace tagloom {

class CommonDialog;
class Workspace;

class SaveQuestion
{
public:
    // True when the design may go: it is unchanged, the person chose "不保存", or chose "保存" and
    // the save command saved it. False on "取消" and when that save was cancelled or failed: the
    // caller then leaves everything as it was.
    static bool mayDiscard(Workspace &workspace, CommonDialog &dialog, QWidget *parent);
};

} // namespace tagloom
