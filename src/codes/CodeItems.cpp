// Showing and hiding the QR code item and the barcode item on the canvas.
#include "CodeItems.h"

#include "canvas/LabelDesign.h"

namespace tagloom {

void CodeItems::insertQrCode(LabelDesign &design)
{
    design.setCodeImageVisible(true);
    design.setCodeImagePicture(design.qrMaker().codePicture());
}

void CodeItems::insertBarcode(LabelDesign &design)
{
    design.setBarcodeHolderVisible(true);
}

void CodeItems::removeBoth(LabelDesign &design)
{
    design.setBarcodeHolderVisible(false);
    design.setCodeImageVisible(false);
}

} // namespace tagloom
