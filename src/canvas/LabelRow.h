// What one data row puts on the label (LabelContent makes it): the field items' captions, the text
// items' texts, the QR code's picture and the barcode with its value. Kept apart from the design,
// so that any row is drawn without changing the design; where the row says nothing the design's own
// shows.
#pragma once

#include "LabelDesign.h"
#include "codes/BarCodeCtrl.h"

#include <QString>
#include <optional>
#include <vector>

namespace tagloom {

struct LabelRow
{
    std::vector<QString> captions; // field item c shows captions[c]; element 0 is never used
    std::vector<QString> texts; // text item i shows texts[i], its fields filled in
    std::optional<PictureRef> qrPicture; // the QR code item's picture; a null one shows no code
    std::optional<BarCodeCtrl> barcode; // shown inside a visible holder, with the row's value

    // Puts the row on the design itself, as the last label of a print run leaves it.
    void applyTo(LabelDesign &design) const;
};

} // namespace tagloom
