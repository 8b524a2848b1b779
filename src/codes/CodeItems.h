// Inserting and removing the QR code item and the barcode item on the canvas.
#pragma once

namespace tagloom {

class LabelDesign;

class CodeItems
{
public:
    // Shows Image1 with the QR generator's own picture: the QR code item counts as inserted.
    static void insertQrCode(LabelDesign &design);
    // Shows the barcode holder; the barcode inside stays hidden until printing.
    static void insertBarcode(LabelDesign &design);
    // Hides both items; pictures, places and sizes stay.
    static void removeBoth(LabelDesign &design);
};

} // namespace tagloom
