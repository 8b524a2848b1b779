// The history of the changes the person makes to the label design, for undo and redo. Each change
// is recorded as one step by running it through `record`; a whole drag is one step. Loading a
// layout, importing a workbook and closing the canvas clear the history. It also knows whether the
// design changed since it was last saved or loaded, so that no change is thrown away unasked.
#pragma once

#include <QUndoStack>
#include <functional>

class QAction;

namespace tagloom {

class LabelDesign;

class DesignHistory
{
public:
    // Far more steps than a person takes back; each holds two captures of the items.
    static constexpr int stepLimit = 200;

    DesignHistory();

    // Runs `change` on the design and keeps what it did as one step named `text`; a change that
    // changes nothing is no step.
    void record(LabelDesign &design, const QString &text, const std::function<void()> &change);
    // The same for one move of the drag `drag`: the moves of one drag make one step.
    void recordMove(
        LabelDesign &design, int drag, const QString &text, const std::function<void()> &change);
    // A name for a drag that begins, different from every earlier one.
    int beginDrag() { return ++drags_; }

    // Drops the steps; whether the design changed since it was saved stays as it was.
    void clear();
    // Drops the steps of a design that is new or was just loaded: it counts as unchanged.
    void startAfresh() { stack_.clear(); }
    // The design as it stands was saved.
    void markSaved() { stack_.setClean(); }
    // Whether the design changed since it was created, last saved or loaded.
    bool designChanged() const { return !stack_.isClean(); }
    QUndoStack &stack() { return stack_; }

    // The "撤销" and "重做" actions of a window, with their keys: Ctrl+Z, and Ctrl+Shift+Z or
    // Ctrl+Y. Each window that offers them makes its own.
    QAction *createUndoAction(QObject *parent);
    QAction *createRedoAction(QObject *parent);

private:
    void push(
        LabelDesign &design, const QString &text, const std::function<void()> &change, int drag);

    QUndoStack stack_;
    int drags_ = 0;
};

} // namespace tagloom
