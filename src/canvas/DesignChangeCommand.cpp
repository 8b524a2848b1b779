// A step of the design's history: back and forward between two captures of the design.
#include "DesignChangeCommand.h"

namespace tagloom {

namespace {

constexpr int dragMoveId = 1;

} // namespace

DesignChangeCommand::DesignChangeCommand(
    LabelDesign &design, const QString &text, DesignSnapshot before, DesignSnapshot after, int drag)
    : QUndoCommand(text)
    , design_(design)
    , before_(std::move(before))
    , after_(std::move(after))
    , drag_(drag)
{
}

void DesignChangeCommand::undo()
{
    DesignSnapshot::change(design_, after_, before_);
}

void DesignChangeCommand::redo()
{
    if (made_) {
        made_ = false;
        return;
    }
    DesignSnapshot::change(design_, before_, after_);
}

int DesignChangeCommand::id() const
{
    return drag_ != 0 ? dragMoveId : -1;
}

bool DesignChangeCommand::mergeWith(const QUndoCommand *other)
{
    const auto *move = static_cast<const DesignChangeCommand *>(other);
    if (move->drag_ != drag_) return false;
    after_ = move->after_;
    // A drag that ends where it began is no step at all.
    setObsolete(after_ == before_);
    return true;
}

} // namespace tagloom
