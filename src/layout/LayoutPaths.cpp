// Layout paths taken from the layout file's folder, and written relative again where they were.
#include "LayoutPaths.h"

#include <QDir>
#include <QFileInfo>

namespace tagloom {

QString LayoutPaths::resolve(const QString &written, const QString &folder)
{
    if (written.isEmpty() || QFileInfo(written).isAbsolute()) return written;
    return QDir::cleanPath(QDir(folder).filePath(written));
}

QString LayoutPaths::toWrite(
    const MainPanel &panel, MainPanel::PathLine line, const QString &folder)
{
    const QString &path
        = line == MainPanel::PictureLine ? panel.labelPicturePath() : panel.dataFilePath();
    const QString &loaded = panel.pathAsLoaded(line);
    return resolve(loaded, folder) == path ? loaded : path;
}

} // namespace tagloom
