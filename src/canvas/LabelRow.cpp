// Putting a printed row on the design.
#include "LabelRow.h"

namespace tagloom {

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
