// Message boxes with the program's title or the error title.
#include "MessageBox.h"

namespace tagloom {

MessageAnswer messageBox(DialogProvider &dialogs, QWidget *parent, const QString &text,
    MessageButtons buttons, const QString &title)
{
    return dialogs.showMessage(parent, {text, title.isEmpty() ? applicationTitle : title, buttons});
}

void errorBox(DialogProvider &dialogs, QWidget *parent, const QString &text)
{
    messageBox(dialogs, parent, text, MessageButtons::Ok, errorTitle);
}

} // namespace tagloom
