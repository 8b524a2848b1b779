// The scripted dialogs: queued answers handed out in order, failing on one not queued.
#include "ScriptedDialogs.h"

#include <QElapsedTimer>
#include <QTest>

namespace tagloom::test {

namespace {

const char *kindName(ScriptedDialogs::Kind kind)
{
    switch (kind) {
    case ScriptedDialogs::Kind::Open:
        return "open dialog";
    case ScriptedDialogs::Kind::Save:
        return "save dialog";
    case ScriptedDialogs::Kind::Font:
        return "font dialog";
    case ScriptedDialogs::Kind::Message:
        return "message box";
    case ScriptedDialogs::Kind::Popup:
        return "popup menu";
    }
    return "dialog";
}

} // namespace

void ScriptedDialogs::queue(Kind kind, const QString &text, bool cancel)
{
    Answer answer;
    answer.kind = kind;
    answer.text = text;
    answer.cancel = cancel;
    answers_.push_back(answer);
}

void ScriptedDialogs::answerFont(const FontChoice &choice)
{
    queue(Kind::Font, {});
    answers_.back().font = choice;
}

void ScriptedDialogs::answerMessage(MessageAnswer answer)
{
    queue(Kind::Message, {});
    answers_.back().message = answer;
}

QList<MessageRequest> ScriptedDialogs::messages() const
{
    QList<MessageRequest> result;
    for (const Shown &shown : shown_) {
        if (shown.kind == Kind::Message) result.append(shown.message);
    }
    return result;
}

void ScriptedDialogs::readLikeAPerson(Kind kind)
{
    QElapsedTimer open;
    open.start();
    while (open.elapsed() < paceMilliseconds_) {
        QTest::qWait(20);
        const QString cover = coveringWindow();
        if (!cover.isEmpty()) {
            QTest::qFail(qPrintable(QStringLiteral("%1 came up over the open %2 after %3 ms")
                                        .arg(cover, QLatin1String(kindName(kind)))
                                        .arg(open.elapsed())),
                __FILE__, __LINE__);
            return;
        }
    }
}

std::optional<ScriptedDialogs::Answer> ScriptedDialogs::take(Kind kind)
{
    readLikeAPerson(kind);
    if (answers_.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected %1").arg(QLatin1String(kindName(kind)))),
            __FILE__, __LINE__);
        return std::nullopt;
    }
    Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.kind != kind) {
        QTest::qFail(qPrintable(QStringLiteral("a %1 appeared where the test expected a %2")
                                    .arg(QLatin1String(kindName(kind)),
                                        QLatin1String(kindName(answer.kind)))),
            __FILE__, __LINE__);
        return std::nullopt;
    }
    return answer;
}

std::optional<QString> ScriptedDialogs::getOpenFileName(QWidget *, const FileDialogRequest &request)
{
    shown_.append({Kind::Open, request, {}, 0, {}});
    const std::optional<Answer> answer = take(Kind::Open);
    if (!answer || answer->cancel) return std::nullopt;
    return answer->text;
}

std::optional<QString> ScriptedDialogs::getSaveFileName(QWidget *, const FileDialogRequest &request)
{
    shown_.append({Kind::Save, request, {}, 0, {}});
    const std::optional<Answer> answer = take(Kind::Save);
    if (!answer || answer->cancel) return std::nullopt;
    return answer->text;
}

std::optional<FontChoice> ScriptedDialogs::getFont(QWidget *, const FontChoice &initial, int flags)
{
    shown_.append({Kind::Font, {}, initial, flags, {}});
    const std::optional<Answer> answer = take(Kind::Font);
    if (!answer || answer->cancel) return std::nullopt;
    return answer->font;
}

MessageAnswer ScriptedDialogs::showMessage(QWidget *, const MessageRequest &request)
{
    shown_.append({Kind::Message, {}, {}, 0, request});
    const std::optional<Answer> answer = take(Kind::Message);
    if (!answer) return MessageAnswer::Cancel;
    return answer->message;
}

void ScriptedDialogs::popupMenu(QMenu &menu, const QPoint &)
{
    shown_.append({Kind::Popup, {}, {}, 0, {}});
    const std::optional<Answer> answer = take(Kind::Popup);
    if (!answer || answer->cancel) return;
    chooseMenuItem(menu, answer->text);
}

void ScriptedDialogs::chooseMenuItem(QMenu &, const QString &text)
{
    QTest::qFail(qPrintable(QStringLiteral("a popup menu (\"%1\") without windows").arg(text)),
        __FILE__, __LINE__);
}

} // namespace tagloom::test
