// The common dialog: showing the file and font dialogs and keeping what the user chose.
#include "CommonDialog.h"

namespace tagloom {

CommonDialog::CommonDialog(DialogProvider &provider, QWidget *parent)
    : provider_(provider)
    , parent_(parent)
{
}

bool CommonDialog::confirmFile(const std::optional<QString> &chosen)
{
    if (!chosen) return !cancelError_;
    fileName_ = *chosen;
    return true;
}

bool CommonDialog::showOpen()
{
    return confirmFile(provider_.getOpenFileName(parent_, {filter_, fileName_, flags_}));
}

bool CommonDialog::showSave()
{
    return confirmFile(provider_.getSaveFileName(parent_, {filter_, fileName_, flags_}));
}

bool CommonDialog::showFont()
{
    const std::optional<FontChoice> chosen = provider_.getFont(parent_, font_, flags_);
    if (!chosen) return !cancelError_;
    font_ = *chosen;
    return true;
}

} // namespace tagloom
