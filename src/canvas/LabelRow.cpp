#include "LabelRow.h"

#include "data/DataTable.h"

namespace tagloom {

LabelRow LabelRow::fromTable(
    const LabelDesign &design, const DataTable &table, int row, int barcodeColumn)
{
    // A cell outside the table is empty: a print run refuses such a table before, a preview
    // shows it so.
    const auto cell
        = [&](int col) { return table.contains(row, col) ? table.cell(row, col) : QString(); };
    LabelRow made;
    made.captions.assign(static_cast<size_t>(design.fieldCount()), QString());
    for (int col = 1; col < design.fieldCount(); ++col)
        made.captions[static_cast<size_t>(col)] = cell(col);
    if (barcodeColumn > 0) {
        BarCodeCtrl barcode = design.barcode();
        barcode.setValue(cell(barcodeColumn));
        barcode.setVisible(true);
        made.barcode = std::move(barcode);
    }
    return made;
}

void LabelRow::applyTo(LabelDesign &design) const
{
    const int fields = std::min(design.fieldCount(), static_cast<int>(captions.size()));
    for (int index = 1; index < fields; ++index)
        design.setFieldCaption(index, captions[static_cast<size_t>(index)]);
    if (qrPicture) design.setCodeImagePicture(*qrPicture);
    if (barcode) {
        design.setBarcodeValue(barcode->value());
        design.setBarcodeVisible(barcode->isVisible());
    }
}

} // namespace tagloom
