// The scripted dialogs' window part: menus and covering windows.
#include "ScriptedWindowDialogs.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

namespace tagloom::test {

QString ScriptedWindowDialogs::coveringWindow() const
{
    // The dialog itself is scripted, so any modal window now is one that covers it.
    const QWidget *cover = QApplication::activeModalWidget();
    if (!cover) return {};
    return cover->objectName().isEmpty() ? QLatin1String(cover->metaObject()->className())
                                         : cover->objectName();
}

void ScriptedWindowDialogs::chooseMenuItem(QMenu &menu, const QString &text)
{
    for (QAction *action : menu.actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    QTest::qFail(
        qPrintable(QStringLiteral("the menu has no item \"%1\"").arg(text)), __FILE__, __LINE__);
}

} // namespace tagloom::test
