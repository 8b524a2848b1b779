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

    // The codes go on a printer's dots: every QR module and every bar a whole number of dots from
    // a dot boundary, the code centred in its item and never larger than it. `printerDots` is the
    // printer's grid in the painter's user space (the design's twips): the device's own when
    // printing, the chosen printer's (printerGrid) on the canvas, so that the canvas shows the
    // codes where and as large as they print. Without a grid (PDF) the codes fill their items.

    // Where the label is drawn: the canvas always shows the label picture; a printed page leaves
    // it out when the design says the stock has it printed already.
    enum class Surface { Canvas, Page };

    // Draws the label picture and every visible item. The painter's user space must be twips.
    static void paint(QPainter &painter, const LabelDesign &design,
        const std::optional<DotGrid> &printerDots = std::nullopt);
    // The same with a data row in place of the design's captions, texts and codes; the design
    // stays as it is.
    static void paint(QPainter &painter, const LabelDesign &design, const LabelRow &row,
        const std::optional<DotGrid> &printerDots = std::nullopt,
        Surface surface = Surface::Canvas);

    // The dots of a printer of `dotsPerInch` over the design's twips, as the label prints scaled
    // to its physical size, a dot corner at the label's top left.
    static DotGrid printerGrid(const LabelDesign &design, double dotsPerInch);

    // Where a QR code of `modules` modules a side goes in its item: on the dots, or the whole item
    // without dots or when a module would get less than a dot.
    static QRectF qrPlace(const QRectF &item, int modules, const std::optional<DotGrid> &dots);

    // The font that, drawn in twips user space on `device`, has the font's point size.
    static QFont deviceFont(const LabelFont &font, const QPaintDevice *device);
};

} // namespace tagloom
