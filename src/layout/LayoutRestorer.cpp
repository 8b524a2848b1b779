// Applying a layout file's records from line 3 on to the items and the source choosers.
#include "LayoutRestorer.h"

#include "LayoutValue.h"
#include "app/Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/QuotedText.h"
#include "data/DataTable.h"

namespace tagloom {

bool LayoutRestorer::restore(Workspace &workspace, const QStringList &lines, QString *reason)
{
    LayoutRestorer restorer(lines);
    if (restorer.restoreAll(workspace)) return true;
    if (reason) *reason = restorer.failure(workspace);
    return false;
}

bool LayoutRestorer::takeLine(int n)
{
    line_ = n;
    field_ = 0;
    if (n > lines_.size()) return false;
    fields_ = lines_.at(n - 1).split(QLatin1Char(','));
    return true;
}

template<class T>
std::optional<T> LayoutRestorer::field(int k, std::optional<T> (*convert)(const QString &))
{
    field_ = k;
    if (k >= fields_.size()) return std::nullopt;
    return convert(fields_.at(k));
}

bool LayoutRestorer::restoreAll(Workspace &workspace)
{
    LabelDesign &design = workspace.canvas();
    const int columns = workspace.dataTable().cols();
    for (int index = 1; index < columns; ++index) {
        if (!takeLine(index + 2) || !restoreFieldItem(design, index)) return false;
    }

    if (!takeLine(columns + 2)) return false;
    if (!currentLineEmpty()) {
        design.setCodeImagePicture(design.qrMaker().codePicture());
        if (!restoreGeometry(design.codeImage().geometry,
                [&design](const TwipsRect &rect) { design.setCodeImageGeometry(rect); }))
            return false;
    }

    if (!takeLine(columns + 3)) return false;
    if (!currentLineEmpty()) {
        design.setBarcodeHolderVisible(true);
        if (!restoreGeometry(design.barcodeHolder().geometry,
                [&design](const TwipsRect &rect) { design.setBarcodeHolderGeometry(rect); }))
            return false;
    }

    MainPanel &panel = workspace.panel();
    for (auto source : {MainPanel::QrSource, MainPanel::BarcodeSource}) {
        if (!takeLine(columns + 4 + source) || !restoreChooser(panel.chooser(source))) return false;
    }
    return true;
}

bool LayoutRestorer::restoreFieldItem(LabelDesign &design, int index)
{
    const std::optional<Twips> top = field(1, LayoutValue::position);
    if (!top) return false;
    design.moveField(index, design.field(index).left, *top);

    const std::optional<Twips> left = field(2, LayoutValue::position);
    if (!left) return false;
    design.moveField(index, *left, design.field(index).top);

    const std::optional<float> fontSize = field(3, LayoutValue::fontSize);
    if (!fontSize) return false;
    LabelFont font = design.field(index).font;
    font.pointSize = *fontSize;
    design.setFieldFont(index, font);
    return true;
}

bool LayoutRestorer::restoreGeometry(
    TwipsRect geometry, const std::function<void(const TwipsRect &)> &apply)
{
    struct Part
    {
        Twips TwipsRect::*member;
        std::optional<Twips> (*convert)(const QString &);
    };
    static constexpr Part parts[]
        = {{&TwipsRect::top, &LayoutValue::position}, {&TwipsRect::left, &LayoutValue::position},
            {&TwipsRect::width, &LayoutValue::size}, {&TwipsRect::height, &LayoutValue::size}};
    int k = 1;
    for (const Part &part : parts) {
        const std::optional<Twips> value = field(k++, part.convert);
        if (!value) return false;
        geometry.*part.member = *value;
        apply(geometry);
    }
    return true;
}

bool LayoutRestorer::restoreChooser(SourceChooser &chooser)
{
    const std::optional<int> index = field(1, LayoutValue::listIndex);
    return index && chooser.setListIndex(*index);
}

int LayoutRestorer::fieldLinesWritten() const
{
    int count = 0;
    while (count + 2 < lines_.size()
        && lines_.at(count + 2).startsWith(QStringLiteral("label1(%1),").arg(count + 1)))
        ++count;
    return count;
}

QString LayoutRestorer::failure(Workspace &workspace) const
{
    // A sound layout fails on a data file that has other columns than it was saved with: that is
    // what to say, not the line where the records came apart.
    const int columns = workspace.dataTable().cols() - 1;
    const int written = fieldLinesWritten();
    if (written > 0 && written != columns)
        return QStringLiteral("数据文件“%1”有 %2 列，布局需要 %3 列（它有 %3 个数据项）")
            .arg(QuotedText::shortened(workspace.panel().dataFilePath()))
            .arg(columns)
            .arg(written);
    if (line_ > lines_.size()) return QStringLiteral("布局文件在第 %1 行之前就结束了").arg(line_);
    if (field_ >= fields_.size())
        return QStringLiteral("第 %1 行缺少第 %2 项").arg(line_).arg(field_);
    return QStringLiteral("第 %1 行第 %2 项“%3”不是可用的数值")
        .arg(line_)
        .arg(field_)
        .arg(QuotedText::shortened(fields_.at(field_)));
}

} // namespace tagloom
