// The dialogs and message boxes as people see them, built on Qt.
#pragma once

#include "DialogProvider.h"

namespace tagloom {

class QtDialogProvider : public DialogProvider
{
public:
    std::optional<QString> getOpenFileName(
        QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> getSaveFileName(
        QWidget *parent, const FileDialogRequest &request) override;
    std::optional<FontChoice> getFont(
        QWidget *parent, const FontChoice &initial, int flags) override;
    MessageAnswer showMessage(QWidget *parent, const MessageRequest &request) override;
    void popupMenu(QMenu &menu, const QPoint &globalPosition) override;

    // "description|pattern|description|pattern" as Qt's "description (pattern);;..." filter.
    static QString qtFilter(const QString &filter);

    // The interface is Chinese: Qt's own dialogs and buttons too. Call once the application exists.
    static void installChineseTexts();
};

} // namespace tagloom
