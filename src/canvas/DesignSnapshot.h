// The part of a design that the person's commands change, held as values: the field items, the QR
// code image and its level, the barcode holder, and the barcode's place inside it and its type.
// The label picture and the barcode's value are not part of it: neither is a change the person
// takes back.
#pragma once

#include "LabelDesign.h"

#include <vector>

namespace tagloom {

struct DesignSnapshot
{
    std::vector<FieldItem> fields; // the template, element 0, included
    CodeImageItem codeImage;
    QrLevel qrLevel = QrLevel::M;
    BarcodeHolderItem holder;
    TwipsRect barcode;
    BarcodeType barcodeType = BarcodeType::Code128;
    std::optional<QSizeF> physicalSize;

    static DesignSnapshot of(const LabelDesign &design);

    // Brings `design` from `from` to `to`: every attribute in which the two differ takes its value
    // in `to`, field items are created or removed as `to` has them, and whatever is equal in both
    // stays as the design has it. So taking one change back never undoes another that came
    // between, such as the captions a print run fills in.
    static void change(LabelDesign &design, const DesignSnapshot &from, const DesignSnapshot &to);

    friend bool operator==(const DesignSnapshot &, const DesignSnapshot &) = default;
};

} // namespace tagloom
