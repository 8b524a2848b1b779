// The codes' printed sizes, fitted as the painter fits them.
#include "PrintedCodes.h"

#include "app/Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/LabelPainter.h"
#include "canvas/NumberText.h"
#include "data/DataTable.h"

namespace tagloom {

namespace {

// The first row of the print range when it is a row of the data table; 0 otherwise.
int firstRowPrinted(Workspace &workspace)
{
    if (!workspace.hasDataTable() || !workspace.dataTable().hasSheet()) return 0;
    const std::optional<double> first
        = NumberText::toDouble(workspace.panel().rangeText(MainPanel::FirstRow));
    const int rows = workspace.dataTable().rows();
    return first && *first >= 1 && *first < rows && *first == int(*first) ? int(*first) : 0;
}

} // namespace

PrintedCodes PrintedCodes::of(
    Workspace &workspace, const QSizeF &qrItem, const QSizeF &barcodeHolder)
{
    const LabelDesign &design = workspace.canvas();
    const MainPanel &panel = workspace.panel();
    PrintedCodes printed;
    printed.row = firstRowPrinted(workspace);
    printed.dotsPerInch = panel.printerDotsPerInch();
    const std::optional<DotGrid> dots = printed.dotsPerInch
        ? std::optional(LabelPainter::printerGrid(design, *printed.dotsPerInch))
        : std::nullopt;
    const QSizeF scale = design.printScale();
    const auto millimetres = [&scale](const QSizeF &twips) {
        return QSizeF(twips.width() * scale.width(), twips.height() * scale.height())
            / twipsPerMillimetre;
    };
    printed.qrItem = millimetres(qrItem);
    printed.barcodeItem = millimetres(barcodeHolder);
    // A cell of the row, for a chooser's column; nothing when no column is chosen.
    const auto cell = [&](MainPanel::Source source) -> std::optional<QString> {
        const int column = panel.chooser(source).listIndex() + 1;
        const DataTable *table = printed.row > 0 ? &workspace.dataTable() : nullptr;
        if (!table || column < 1 || !table->contains(printed.row, column)) return std::nullopt;
        return table->cell(printed.row, column);
    };

    const std::optional<QString> qrText = cell(MainPanel::QrSource);
    const int modules = qrText ? QrMaker::modulesFor(*qrText, design.qrLevel())
                               : design.qrMaker().codePicture()->width();
    if (modules > 0)
        printed.qrCode
            = millimetres(LabelPainter::qrPlace(QRectF(QPointF(), qrItem), modules, dots).size());

    BarCodeCtrl barcode = design.barcode();
    const std::optional<QString> barcodeText = cell(MainPanel::BarcodeSource);
    if (barcodeText) barcode.setValue(*barcodeText);
    const QRectF strip(QPointF(), barcodeHolder);
    if (const std::optional<QSizeF> ink = barcode.inkSize(strip, strip, dots))
        printed.barcode = millimetres(*ink);
    if (!qrText && !barcodeText) printed.row = 0;
    return printed;
}

} // namespace tagloom
