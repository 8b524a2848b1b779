// Recording the person's changes to the design as steps of an undo stack.
#include "DesignHistory.h"

#include "DesignChangeCommand.h"

#include <QAction>

namespace tagloom {

DesignHistory::DesignHistory()
{
    stack_.setUndoLimit(stepLimit);
}

void DesignHistory::clear()
{
    const bool changed = designChanged();
    stack_.clear();
    // No step leads back to the saved design any more.
    if (changed) stack_.resetClean();
}

void DesignHistory::record(
    LabelDesign &design, const QString &text, const std::function<void()> &change)
{
    push(design, text, change, 0);
}

void DesignHistory::recordMove(
    LabelDesign &design, int drag, const QString &text, const std::function<void()> &change)
{
    push(design, text, change, drag);
}

void DesignHistory::push(
    LabelDesign &design, const QString &text, const std::function<void()> &change, int drag)
{
    DesignSnapshot before = DesignSnapshot::of(design);
    change();
    DesignSnapshot after = DesignSnapshot::of(design);
    if (after == before) return;
    stack_.push(new DesignChangeCommand(design, text, std::move(before), std::move(after), drag));
}

QAction *DesignHistory::createUndoAction(QObject *parent)
{
    QAction *action = stack_.createUndoAction(parent, QStringLiteral("撤销"));
    action->setObjectName(QStringLiteral("UndoAction"));
    action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    return action;
}

QAction *DesignHistory::createRedoAction(QObject *parent)
{
    QAction *action = stack_.createRedoAction(parent, QStringLiteral("重做"));
    action->setObjectName(QStringLiteral("RedoAction"));
    action->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    return action;
}

} // namespace tagloom
