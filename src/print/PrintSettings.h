// What the user's own settings keep for printing: the printer chosen in the main window (a CUPS
// queue, or the printer connected directly and how), and each printer's calibration.
#pragma once

#include "Calibration.h"
#include "DirectPrinter.h"

#include <QString>
#include <optional>

namespace tagloom {

class PrintSettings
{
public:
    // Empty for the default printer.
    static QString chosenPrinter();
    static void setChosenPrinter(const QString &name);
    // Whether the directly connected printer is chosen in place of the queue.
    static bool directChosen();
    static void setDirectChosen(bool chosen);
    // The directly connected printer as last set up; a TSPL printer at 203 dpi on /dev/usb/lp0
    // before that.
    static DirectPrinter directPrinter();
    static void setDirectPrinter(const DirectPrinter &printer);

    // A printer never calibrated, or none at all (an empty name), prints as it is: no offset, 100
    // %.
    static Calibration calibration(const QString &printer);
    static void setCalibration(const QString &printer, const Calibration &calibration);
};

} // namespace tagloom
