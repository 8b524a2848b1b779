// The one painter of the label: the canvas on screen, the printer and PDF all draw through it,
// so a page carries exactly what the canvas shows, at true physical size.
#pragma once

#include "LabelFont.h"
#include "codes/DotGrid.h"

#include <QFont>
#include <QRectF>
#include <optional>

class QPainter;
class QPaintDevice;

namespace tagloom {

class LabelDesign;
struct LabelRow;

class LabelPainter
{
public:
    // Makes the painter's user space twips on its device, with (0, 0) at the current origin.
    static void useTwips(QPainter &painter);

    // How the codes meet the device's pixels. As designed, the QR code fills its item and the
    // barcode's modules are whole pixels only on screen (PDF keeps exact fractions). On a
    // printer's dots every QR module and every bar is a whole number of dots from a dot boundary,
    // the code centred in its item and up to one module smaller than it.
    enum class CodeFit { AsDesigned, PrinterDots };

    // Where the label is drawn: the canvas always shows the label picture; a printed page leaves
    // it out when the design says the stock has it printed already.
    enum class Surface { Canvas, Page };

    // Draws the label picture and every visible item. The painter's user space must be twips.
    static void paint(
        QPainter &painter, const LabelDesign &design, CodeFit codeFit = CodeFit::AsDesigned);
    // The same with a data row in place of the design's captions, texts and codes; the design
    // stays as it is.
    static void paint(QPainter &painter, const LabelDesign &design, const LabelRow &row,
        CodeFit codeFit = CodeFit::AsDesigned, Surface surface = Surface::Canvas);

    // The QR code's place in its item on a printer's dots, for a picture of `modules` modules a
    // side; nothing when a module would get less than a dot.
    static std::optional<QRectF> qrOnDots(const QRectF &item, int modules, const DotGrid &dots);

    // The font that, drawn in twips user space on `device`, has the font's point size.
    static QFont deviceFont(const LabelFont &font, const QPaintDevice *device);
};

} // namespace tagloom
