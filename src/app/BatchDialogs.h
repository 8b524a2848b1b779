// Dialog answers for runs without windows: every question is answered yes, file and font dialogs
// are cancelled, and error messages are kept so that the command line can report them.
#pragma once

#include "DialogProvider.h"

#include <QStringList>

namespace tagloom {

class BatchDialogs : public DialogProvider
{
public:
    const QStringList &errors() const { return errors_; }

    std::optional<QString> getOpenFileName(QWidget *, const FileDialogRequest &) override { return std::nullopt; }
    std::optional<QString> getSaveFileName(QWidget *, const FileDialogRequest &) override { return std::nullopt; }
    std::optional<FontChoice> getFont(QWidget *, const FontChoice &, int) override { return std::nullopt; }
    MessageAnswer showMessage(QWidget *parent, const MessageRequest &request) override;
    void popupMenu(QMenu &, const QPoint &) override {}

private:
    QStringList errors_;
};

} // namespace tagloom
