// Modal message boxes with the program's title when a message sets none.
#pragma once

#include "DialogProvider.h"

namespace tagloom {

inline const QString applicationTitle = QStringLiteral("Tagloom");
inline const QString errorTitle = QStringLiteral("出错");

// The text, the buttons and the title (the application's title when empty); returns the answer.
MessageAnswer messageBox(DialogProvider &dialogs, QWidget *parent, const QString &text,
    MessageButtons buttons = MessageButtons::Ok, const QString &title = {});

// An error message: OK only, titled "出错".
void errorBox(DialogProvider &dialogs, QWidget *parent, const QString &text);

} // namespace tagloom
