// What one data row puts on the label: the field items' captions, the QR code's picture and the
// barcode with its value. Kept apart from the design, so that any row is drawn without changing
// the design; where the row says nothing the design's own shows.
#pragma once

#include "LabelDesign.h"
#include "codes/BarCodeCtrl.h"

#include <QString>
#include <optional>
#include <vector>

namespace tagloom {

class DataTable;

struct LabelRow
{
    std::vector<QString> captions; // field item c shows captions[c]; element 0 is never used
    std::optional<PictureRef> qrPicture; // the QR code item's picture; a null one shows no code
    std::optional<BarCodeCtrl> barcode; // shown inside a visible holder, with the row's value

    // Data row `row` of the table as the design takes it: a caption for every field item, hidden
    // ones too, and the barcode when it comes from a column (0 for none). The QR code is the
    // caller's to make.
    static LabelRow fromTable(
        const LabelDesign &design, const DataTable &table, int row, int barcodeColumn);

    // Puts the row on the design itself, as the last label of a print run leaves it.
    void applyTo(LabelDesign &design) const;
};

} // namespace tagloom
