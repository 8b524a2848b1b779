// The one painter of the label: the canvas on screen, the printer and PDF all draw through it,
// so a page carries exactly what the canvas shows, at true physical size.
#pragma once

#include "LabelFont.h"

#include <QFont>

class QPainter;
class QPaintDevice;

namespace tagloom {

class LabelDesign;

class LabelPainter
{
public:
    // Makes the painter's user space twips on its device, with (0, 0) at the current origin.
    static void useTwips(QPainter &painter);

    // Draws the label picture and every visible item. The painter's user space must be twips.
    static void paint(QPainter &painter, const LabelDesign &design);

    // The font that, drawn in twips user space on `device`, has the font's point size.
    static QFont deviceFont(const LabelFont &font, const QPaintDevice *device);
};

} // namespace tagloom
