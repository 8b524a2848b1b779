// Dialog answers for runs without windows: every question is answered yes, a question whether to
// save is cancelled like the file and font dialogs. The commands report their own errors.
#pragma once

#include "DialogProvider.h"

namespace tagloom {

class BatchDialogs : public DialogProvider
{
public:
    std::optional<QString> getOpenFileName(QWidget *, const FileDialogRequest &) override
    {
        return std::nullopt;
    }
    std::optional<QString> getSaveFileName(QWidget *, const FileDialogRequest &) override
    {
        return std::nullopt;
    }
    std::optional<FontChoice> getFont(QWidget *, const FontChoice &, int) override
    {
        return std::nullopt;
    }
    MessageAnswer showMessage(QWidget *, const MessageRequest &request) override
    {
        switch (request.buttons) {
        case MessageButtons::YesNo:
            return MessageAnswer::Yes;
        case MessageButtons::SaveDiscardCancel:
            return MessageAnswer::Cancel;
        default:
            return MessageAnswer::Ok;
        }
    }
    void popupMenu(QMenu &, const QPoint &) override { }
};

} // namespace tagloom
