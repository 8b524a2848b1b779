#include "LayoutRestorer.h"

#include "LayoutValue.h"
#include "app/Workspace.h"
#include "canvas/LabelDesign.h"
#include "data/DataTable.h"

namespace tagloom {

namespace {

// Field k of a line converted by `convert`; nothing when the line has no field k.
template<class Convert>
auto fieldValue(const QStringList &fields, int k, Convert convert) -> decltype(convert(QString()))
{
    if (k >= fields.size()) return std::nullopt;
    return convert(fields.at(k));
}

} // namespace

bool LayoutRestorer::restore(Workspace &workspace, const QStringList &lines)
{
    // Line n of the file, split at every comma; nothing past the end.
    const auto line = [&lines](int n) -> std::optional<QStringList> {
        if (n > lines.size()) return std::nullopt;
        return lines.at(n - 1).split(QLatin1Char(','));
    };
    // An empty line splits into one empty keyword.
    const auto isEmpty
        = [](const QStringList &fields) { return fields.size() == 1 && fields.front().isEmpty(); };

    LabelDesign &design = workspace.canvas();
    const int columns = workspace.dataTable().cols();
    for (int index = 1; index < columns; ++index) {
        const std::optional<QStringList> fields = line(index + 2);
        if (!fields || !restoreFieldItem(design, index, *fields)) return false;
    }

    const std::optional<QStringList> qrLine = line(columns + 2);
    if (!qrLine) return false;
    if (!isEmpty(*qrLine)) {
        design.setCodeImagePicture(design.qrMaker().codePicture());
        if (!restoreGeometry(*qrLine, design.codeImage().geometry,
                [&design](const TwipsRect &rect) { design.setCodeImageGeometry(rect); }))
            return false;
    }

    const std::optional<QStringList> barcodeLine = line(columns + 3);
    if (!barcodeLine) return false;
    if (!isEmpty(*barcodeLine)) {
        design.setBarcodeHolderVisible(true);
        if (!restoreGeometry(*barcodeLine, design.barcodeHolder().geometry,
                [&design](const TwipsRect &rect) { design.setBarcodeHolderGeometry(rect); }))
            return false;
    }

    MainPanel &panel = workspace.panel();
    for (auto source : {MainPanel::QrSource, MainPanel::BarcodeSource}) {
        const std::optional<QStringList> fields = line(columns + 4 + source);
        if (!fields || !restoreChooser(panel.chooser(source), *fields)) return false;
    }
    return true;
}

bool LayoutRestorer::restoreFieldItem(LabelDesign &design, int index, const QStringList &fields)
{
    const std::optional<Twips> top = fieldValue(fields, 1, LayoutValue::position);
    if (!top) return false;
    design.moveField(index, design.field(index).left, *top);

    const std::optional<Twips> left = fieldValue(fields, 2, LayoutValue::position);
    if (!left) return false;
    design.moveField(index, *left, design.field(index).top);

    const std::optional<float> fontSize = fieldValue(fields, 3, LayoutValue::fontSize);
    if (!fontSize) return false;
    LabelFont font = design.field(index).font;
    font.pointSize = *fontSize;
    design.setFieldFont(index, font);
    return true;
}

bool LayoutRestorer::restoreGeometry(const QStringList &fields, TwipsRect geometry,
    const std::function<void(const TwipsRect &)> &apply)
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
        const std::optional<Twips> value = fieldValue(fields, k++, part.convert);
        if (!value) return false;
        geometry.*part.member = *value;
        apply(geometry);
    }
    return true;
}

bool LayoutRestorer::restoreChooser(SourceChooser &chooser, const QStringList &fields)
{
    const std::optional<int> index = fieldValue(fields, 1, LayoutValue::listIndex);
    return index && chooser.setListIndex(*index);
}

} // namespace tagloom
