// One step of the design's history: the design as it was before a change the person made and as
// the change left it. The moves of one drag come as one such step each and merge into one.
#pragma once

#include "DesignSnapshot.h"

#include <QUndoCommand>

namespace tagloom {

class DesignChangeCommand : public QUndoCommand
{
public:
    // `drag` names the drag a move belongs to; 0 for a change that merges with nothing.
    DesignChangeCommand(LabelDesign &design, const QString &text, DesignSnapshot before,
        DesignSnapshot after, int drag);

    void undo() override;
    // Stepping forward again; the first call, made as the step is recorded, finds the change
    // already made.
    void redo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand *other) override;

private:
    LabelDesign &design_;
    DesignSnapshot before_;
    DesignSnapshot after_;
    int drag_;
    bool made_ = true;
};

} // namespace tagloom
