// The platform's dialogs and message boxes behind one interface: Qt's for people, a scripted fake
// for tests, answers without windows for the command line.
#pragma once

#include "canvas/LabelFont.h"

#include <QColor>
#include <QString>
#include <optional>

class QMenu;
class QPoint;
class QWidget;

namespace tagloom {

struct FileDialogRequest
{
    QString filter; // "description|pattern|description|pattern...", empty for none
    QString fileName; // the name the dialog starts on
    int flags = 0;
};

struct FontChoice
{
    LabelFont font;
    QColor color = Qt::black;

    friend bool operator==(const FontChoice &, const FontChoice &) = default;
};

// YesNo asks before something is lost: "否" is its default button. SaveDiscardCancel offers
// "保存", "不保存" and "取消" before changes would be thrown away, "保存" the default.
enum class MessageButtons { Ok, OkCancel, YesNo, SaveDiscardCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No, Save, Discard };

struct MessageRequest
{
    QString text;
    QString title;
    MessageButtons buttons = MessageButtons::Ok;
};

class DialogProvider
{
public:
    virtual ~DialogProvider() = default;

    // Each returns nothing when the user cancels.
    virtual std::optional<QString> getOpenFileName(
        QWidget *parent, const FileDialogRequest &request)
        = 0;
    virtual std::optional<QString> getSaveFileName(
        QWidget *parent, const FileDialogRequest &request)
        = 0;
    virtual std::optional<FontChoice> getFont(QWidget *parent, const FontChoice &initial, int flags)
        = 0;

    // A modal message box; closing it without a button answers Cancel, No, or Ok when that is the
    // only button.
    virtual MessageAnswer showMessage(QWidget *parent, const MessageRequest &request) = 0;

    // Runs a popup menu modally; when it returns, the chosen item's action has been triggered.
    virtual void popupMenu(QMenu &menu, const QPoint &globalPosition) = 0;
};

} // namespace tagloom
