// A source chooser's items and chosen position, with a signal for each change.
#include "SourceChooser.h"

namespace tagloom {

void SourceChooser::append(const QString &item)
{
    items_.append(item);
    emit itemAppended(item);
}

bool SourceChooser::setListIndex(int index)
{
    if (index < -1 || index >= items_.size()) return false;
    if (index != listIndex_) {
        listIndex_ = index;
        emit listIndexChanged(index);
    }
    return true;
}

} // namespace tagloom
