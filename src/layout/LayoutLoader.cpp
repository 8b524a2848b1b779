// Loading a layout file: its picture and data file again, new field items, then its records.
#include "LayoutLoader.h"

#include "LayoutExtension.h"
#include "LayoutPaths.h"
#include "LayoutRestorer.h"
#include "LayoutText.h"
#include "app/LabelPictureChoice.h"
#include "app/Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/QuotedText.h"
#include "data/DataTable.h"
#include "data/FieldItemGenerator.h"
#include "data/WorkbookImport.h"

#include <QFileInfo>

namespace tagloom {

namespace {

// Field 1 of a line as text, up to the next comma; nothing when the line has no field 1.
std::optional<QString> pathText(const QString &line)
{
    const qsizetype comma = line.indexOf(QLatin1Char(','));
    if (comma < 0) return std::nullopt;
    const qsizetype end = line.indexOf(QLatin1Char(','), comma + 1);
    return line.mid(comma + 1, end < 0 ? -1 : end - comma - 1);
}

// The path on line n (1 or 2), taken from the layout file's folder when relative, so a folder with
// a layout, its picture and its workbook can move as a whole; the text as the file has it is kept
// in the panel for saving. A line that reads both as UTF-8 and as GBK is read the way that names
// a file that exists, UTF-8 when both or neither do. Nothing when the line or the field is
// missing.
std::optional<QString> pathField(
    MainPanel &panel, MainPanel::PathLine line, const LayoutText &text, const QString &folder)
{
    const int n = line + 1;
    if (n > text.lines().size()) return std::nullopt;
    std::optional<QString> written = pathText(text.lines().at(n - 1));
    if (!written) return std::nullopt;
    if (const std::optional<QString> other = text.otherReading(n)) {
        const std::optional<QString> gbk = pathText(*other);
        if (gbk && !QFileInfo::exists(LayoutPaths::resolve(*written, folder))
            && QFileInfo::exists(LayoutPaths::resolve(*gbk, folder)))
            written = gbk;
    }
    panel.setPathAsLoaded(line, *written);
    return LayoutPaths::resolve(*written, folder);
}

// An empty path names no file, nor one holding a NUL (Qt would open the part before it).
bool namesNoFile(const QString &path)
{
    return path.isEmpty() || path.contains(QChar(0));
}

} // namespace

bool LayoutLoader::load(Workspace &workspace, const QString &path, QString *reason,
    const LayoutFileOverrides &overrides)
{
    const auto fail = [reason](const QString &why) {
        if (reason) *reason = why;
        return false;
    };
    const std::optional<LayoutText> text = LayoutText::read(path, reason);
    if (!text) return false;
    MainPanel &panel = workspace.panel();
    panel.setLayoutPath(path);
    workspace.history().startAfresh();
    const QString folder = QFileInfo(path).absolutePath();

    const std::optional<QString> picturePath = overrides.picturePath
        ? overrides.picturePath
        : pathField(panel, MainPanel::PictureLine, *text, folder);
    if (!picturePath) return fail(QStringLiteral("第 1 行没有标签图片的路径"));
    const QString noPicture
        = QStringLiteral("无法读取标签图片“%1”").arg(QuotedText::shortened(*picturePath));
    if (namesNoFile(*picturePath)) {
        panel.setLabelPicturePath(*picturePath);
        return fail(noPicture);
    }
    QString pictureProblem;
    if (!LabelPictureChoice::apply(workspace, *picturePath, &pictureProblem))
        return fail(QStringLiteral("%1：%2").arg(noPicture, pictureProblem));

    const std::optional<QString> dataPath = overrides.dataPath
        ? overrides.dataPath
        : pathField(panel, MainPanel::DataLine, *text, folder);
    if (!dataPath) return fail(QStringLiteral("第 2 行没有数据文件的路径"));
    panel.setDataFilePath(*dataPath);
    QString why = QStringLiteral("路径无效");
    if (namesNoFile(*dataPath) || !WorkbookImport::run(workspace, &why))
        return fail(
            QStringLiteral("无法导入数据文件“%1”：%2").arg(QuotedText::shortened(*dataPath), why));
    createFieldItems(workspace);
    LayoutExtension::reset(workspace.canvas(), panel);

    const QStringList &lines = text->lines();
    // The records end where the extension block begins: none of its lines is taken for one.
    if (!LayoutRestorer::restore(workspace, lines.first(LayoutExtension::start(lines) - 1), reason))
        return false;
    // What the records cannot hold, applied only to a design they restored in full.
    return LayoutExtension::apply(workspace.canvas(), panel, lines,
        LayoutRestorer::lineCount(workspace.dataTable().cols()) + 1, reason);
}

void LayoutLoader::createFieldItems(Workspace &workspace)
{
    if (workspace.hasCanvas() && workspace.canvas().fieldCount() > 1) {
        const PictureRef picture = workspace.canvas().picture();
        workspace.discardCanvas();
        if (picture) workspace.canvas().setPicture(picture);
        workspace.announcePictureApplied();
    }
    FieldItemGenerator::createItems(
        workspace.canvas(), workspace.dataTable(), FieldItemGenerator::Placement::AtTemplate);
}

} // namespace tagloom
