// Loading a layout file: its picture and workbook again, new field items, then its records.
#include "LayoutLoader.h"

#include "LayoutRestorer.h"
#include "LayoutText.h"
#include "app/LabelPictureChoice.h"
#include "app/Workspace.h"
#include "canvas/LabelDesign.h"
#include "data/DataTable.h"
#include "data/WorkbookImport.h"

#include <QDir>
#include <QFileInfo>

namespace tagloom {

namespace {

// Field 1 of line n as a path: a relative path is taken from the layout file's folder, so a
// folder with a layout, its picture and its workbook can move as a whole. Nothing when the line
// or the field is missing.
std::optional<QString> pathField(const QStringList &lines, int n, const QString &folder)
{
    if (n > lines.size()) return std::nullopt;
    const QString &line = lines.at(n - 1);
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0) return std::nullopt;
    const qsizetype end = line.indexOf(QLatin1Char(','), comma + 1);
    const QString path = line.mid(comma + 1, end < 0 ? -1 : end - comma - 1);
    if (path.isEmpty() || QFileInfo(path).isAbsolute()) return path;
    return QDir::cleanPath(QDir(folder).filePath(path));
}

// An empty path names no file, nor one holding a NUL (Qt would open the part before it).
bool namesNoFile(const QString &path)
{
    return path.isEmpty() || path.contains(QChar(0));
}

} // namespace

bool LayoutLoader::load(Workspace &workspace, const QString &path, QString *reason)
{
    const auto fail = [reason](const QString &why) {
        if (reason) *reason = why;
        return false;
    };
    const std::optional<QStringList> lines = LayoutText::read(path, reason);
    if (!lines) return false;
    workspace.panel().setLayoutPath(path);
    const QString folder = QFileInfo(path).absolutePath();

    const std::optional<QString> picturePath = pathField(*lines, 1, folder);
    if (!picturePath) return fail(QStringLiteral("第 1 行没有标签图片的路径"));
    const QString noPicture = QStringLiteral("无法读取标签图片“%1”").arg(*picturePath);
    if (namesNoFile(*picturePath)) {
        workspace.panel().setLabelPicturePath(*picturePath);
        return fail(noPicture);
    }
    QString pictureProblem;
    if (!LabelPictureChoice::apply(workspace, *picturePath, &pictureProblem))
        return fail(QStringLiteral("%1：%2").arg(noPicture, pictureProblem));

    const std::optional<QString> dataPath = pathField(*lines, 2, folder);
    if (!dataPath) return fail(QStringLiteral("第 2 行没有数据文件的路径"));
    workspace.panel().setDataFilePath(*dataPath);
    QString why = QStringLiteral("路径无效");
    if (namesNoFile(*dataPath) || !WorkbookImport::run(workspace, &why))
        return fail(QStringLiteral("无法导入数据文件“%1”：%2").arg(*dataPath, why));
    createFieldItems(workspace);

    return LayoutRestorer::restore(workspace, *lines, reason);
}

void LayoutLoader::createFieldItems(Workspace &workspace)
{
    if (workspace.hasCanvas() && workspace.canvas().fieldCount() > 1) {
        const PictureRef picture = workspace.canvas().picture();
        workspace.discardCanvas();
        if (picture) workspace.canvas().setPicture(picture);
        workspace.windows().showCanvas();
    }
    LabelDesign &design = workspace.canvas();
    const DataTable &table = workspace.dataTable();
    for (int col = 1; col < table.cols(); ++col) {
        design.loadField(col);
        design.setFieldCaption(col, table.cell(0, col));
        design.setFieldVisible(col, true);
    }
}

} // namespace tagloom
