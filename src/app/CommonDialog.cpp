// The common dialog: showing the file and font dialogs and keeping what the user chose.
#include "CommonDialog.h"

#include "canvas/DesignLimits.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace tagloom {

bool FileKind::matches(const QString &fileName) const
{
    const QString name = QFileInfo(fileName).fileName();
    for (const QString &pattern : patterns) {
        if (QDir::match(pattern, name)) return true;
    }
    return false;
}

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

bool CommonDialog::showOpen(const FileKind &wanted)
{
    QStringList filter;
    if (!filter_.isEmpty()) filter.append(filter_);
    filter.append(wanted.description + QLatin1Char('|') + wanted.patterns.join(QLatin1Char(';')));
    filter.append(QStringLiteral("所有文件|*"));
    const QString start = fileName_.isEmpty() || wanted.matches(fileName_)
        ? fileName_
        : QFileInfo(fileName_).absolutePath();
    return confirmFile(
        provider_.getOpenFileName(parent_, {filter.join(QLatin1Char('|')), start, flags_}));
}

bool CommonDialog::showSave()
{
    return confirmFile(provider_.getSaveFileName(parent_, {filter_, fileName_, flags_}));
}

bool CommonDialog::showFont(double printedPerStored)
{
    FontChoice shown = font_;
    shown.font.pointSize = static_cast<float>(font_.font.pointSize * printedPerStored);
    const std::optional<FontChoice> chosen = provider_.getFont(parent_, shown, flags_);
    if (!chosen) return !cancelError_;
    font_ = *chosen;
    font_.font.pointSize = std::clamp(static_cast<float>(chosen->font.pointSize / printedPerStored),
        DesignLimits::smallestFontSize, DesignLimits::largestFontSize);
    return true;
}

} // namespace tagloom
