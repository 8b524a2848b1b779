// Writing a design's layout file lines.
#include "LayoutWriter.h"

#include "LayoutExtension.h"
#include "LayoutPaths.h"
#include "app/MainPanel.h"
#include "canvas/LabelDesign.h"
#include "canvas/NumberText.h"
#include "print/SaveTarget.h"

#include <QFileInfo>
#include <QSaveFile>

namespace tagloom {

namespace {

QString numbers(std::initializer_list<float> values)
{
    QStringList texts;
    for (float value : values)
        texts.append(NumberText::fromSingle(value));
    return texts.join(QLatin1Char(','));
}

QString geometryLine(const QString &keyword, const TwipsRect &rect, bool inserted)
{
    if (!inserted) return {};
    return keyword + numbers({rect.top, rect.left, rect.width, rect.height});
}

} // namespace

QByteArray LayoutWriter::text(
    const MainPanel &panel, const LabelDesign &design, const QString &folder)
{
    QStringList lines {
        QStringLiteral("text1,") + LayoutPaths::toWrite(panel, MainPanel::PictureLine, folder),
        QStringLiteral("text2,") + LayoutPaths::toWrite(panel, MainPanel::DataLine, folder)};
    for (int index = 1; index < design.fieldCount(); ++index) {
        const FieldItem &item = design.field(index);
        lines.append(QStringLiteral("label1(%1),").arg(index)
            + numbers({item.top, item.left, item.font.pointSize}));
    }
    lines.append(geometryLine(
        QStringLiteral("Image1,"), design.codeImage().geometry, design.qrCodeInserted()));
    lines.append(geometryLine(
        QStringLiteral("Picture2,"), design.barcodeHolder().geometry, design.barcodeInserted()));
    lines.append(
        QStringLiteral("Combo1(0),%1").arg(panel.chooser(MainPanel::QrSource).listIndex()));
    lines.append(
        QStringLiteral("Combo1(1),%1").arg(panel.chooser(MainPanel::BarcodeSource).listIndex()));
    lines.append(LayoutExtension::lines(design, panel));

    QString text;
    for (const QString &line : lines)
        text += line + QLatin1String("\r\n");
    return text.toUtf8();
}

bool LayoutWriter::save(
    const MainPanel &panel, const LabelDesign &design, const QString &path, QString *reason)
{
    const std::optional<QString> target = SaveTarget::resolve(path, reason);
    if (!target) return false;
    const QByteArray bytes = text(panel, design, QFileInfo(path).absolutePath());
    QSaveFile file(*target);
    // Qt 6.4's commit() does not notice a failure of the final flush (a full disk) and would put
    // the cut-short file in place: flush and check first. Without a commit the file is discarded.
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()
        && file.commit())
        return true;
    *reason = file.errorString();
    return false;
}

} // namespace tagloom
