// The calibration label: the label's outline with a millimetre ruler along its top and left edges,
// 0 at the label's corner, and a 50 mm mark to check the scale. Printed on the label stock, it
// shows how far the printer puts the label beside the stock's edges (the offset to enter) and how
// long its 50 mm come out (the scale).
#pragma once

#include "Calibration.h"

#include <QSizeF>
#include <QString>

class QPainter;

namespace tagloom {

class LabelOutput;

class CalibrationLabel
{
public:
    // Prints one calibration label of the given size in twips; false with a reason when the
    // output refuses it.
    static bool print(LabelOutput &output, const QSizeF &labelTwips, const QString &printerName,
        const Calibration &calibration, QString *reason);

    // Draws it; the painter's user space is twips with (0, 0) at the label's top left.
    static void paint(QPainter &painter, const QSizeF &labelTwips, const QString &printerName,
        const Calibration &calibration);
};

} // namespace tagloom
