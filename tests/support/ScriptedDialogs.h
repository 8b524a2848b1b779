// A scripted stand-in for the platform's dialogs: a test queues the answers it expects, in order;
// a dialog that appears without a queued answer of its kind fails the test. Widget-free, for the
// tests of the model; ScriptedWindowDialogs adds what only windows have: popup menus, and windows
// that come up over a dialog.
#pragma once

#include "app/DialogProvider.h"

#include <QList>
#include <QStringList>
#include <deque>

namespace tagloom::test {

class ScriptedDialogs : public DialogProvider
{
public:
    enum class Kind { Open, Save, Font, Message, Popup };

    // What a dialog was asked to show.
    struct Shown
    {
        Kind kind;
        FileDialogRequest file;
        FontChoice fontInitial;
        int fontFlags = 0;
        MessageRequest message;
    };

    void answerOpen(const QString &fileName) { queue(Kind::Open, fileName); }
    void cancelOpen() { queue(Kind::Open, {}, true); }
    void answerSave(const QString &fileName) { queue(Kind::Save, fileName); }
    void cancelSave() { queue(Kind::Save, {}, true); }
    void answerFont(const FontChoice &choice);
    void cancelFont() { queue(Kind::Font, {}, true); }
    void answerMessage(MessageAnswer answer = MessageAnswer::Ok);
    // Chooses the menu item with this text; an empty text dismisses the menu.
    void answerPopup(const QString &itemText) { queue(Kind::Popup, itemText, itemText.isEmpty()); }

    // Answers at a person's pace: every dialog stays open this long while events run (the docking
    // timer, progress dialogs), and a window that comes up over it meanwhile fails the test.
    void setPace(int milliseconds) { paceMilliseconds_ = milliseconds; }

    const QList<Shown> &shown() const { return shown_; }
    QList<MessageRequest> messages() const;
    // True when every queued answer was used.
    bool allAnswered() const { return answers_.empty(); }

    std::optional<QString> getOpenFileName(
        QWidget *parent, const FileDialogRequest &request) override;
    std::optional<QString> getSaveFileName(
        QWidget *parent, const FileDialogRequest &request) override;
    std::optional<FontChoice> getFont(
        QWidget *parent, const FontChoice &initial, int flags) override;
    MessageAnswer showMessage(QWidget *parent, const MessageRequest &request) override;
    void popupMenu(QMenu &menu, const QPoint &globalPosition) override;

protected:
    // The window that came up over an open dialog, by name; empty when none did.
    virtual QString coveringWindow() const { return {}; }
    // Triggers the menu's item of this text. Without windows there is no menu: the test fails.
    virtual void chooseMenuItem(QMenu &menu, const QString &text);

private:
    struct Answer
    {
        Kind kind;
        QString text;
        bool cancel = false;
        FontChoice font;
        MessageAnswer message = MessageAnswer::Ok;
    };

    void queue(Kind kind, const QString &text, bool cancel = false);
    // Holds the dialog open for the pace, watching that nothing covers it.
    void readLikeAPerson(Kind kind);
    // The next answer, which must be of this kind; nothing (and a failed test) otherwise.
    std::optional<Answer> take(Kind kind);

    std::deque<Answer> answers_;
    QList<Shown> shown_;
    int paceMilliseconds_ = 0;
};

} // namespace tagloom::test
