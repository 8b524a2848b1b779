// How large the QR code and the barcode print, in millimetres, for items of given sizes: on the
// dots of the printer chosen beside the steps, with the label's physical size, for the codes of
// the first row of the print range (or the design's own codes while no data feeds them). The size
// dialog says so while the sizes are typed.
#pragma once

#include <QSizeF>
#include <optional>

namespace tagloom {

class Workspace;

struct PrintedCodes
{
    QSizeF qrItem; // the items as they print, before the codes go on the dots
    QSizeF barcodeItem;
    std::optional<QSizeF> qrCode;
    std::optional<QSizeF> barcode; // its ink; none when the barcode has no value to show
    int row = 0; // the data row whose codes they are; 0 for the design's own
    std::optional<double> dotsPerInch; // the printer's; none for exact sizes

    // Sizes in twips of the design.
    static PrintedCodes of(Workspace &workspace, const QSizeF &qrItem, const QSizeF &barcodeHolder);
};

} // namespace tagloom
