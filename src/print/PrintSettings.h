// What the user's own settings keep for printing: the printer chosen in the main window and each
// printer's calibration.
#pragma once

#include "Calibration.h"

#include <QString>
#include <optional>

namespace tagloom {

class PrintSettings
{
public:
    // Empty for the default printer.
    static QString chosenPrinter();
    static void setChosenPrinter(const QString &name);

    // The resolution a printer prints at, as its queue says; nothing when it does not say or there
    // is no such printer.
    static std::optional<int> dotsPerInch(const QString &printer);

    // A printer never calibrated, or none at all (an empty name), prints as it is: no offset, 100
    // %.
    static Calibration calibration(const QString &printer);
    static void setCalibration(const QString &printer, const Calibration &calibration);
};

} // namespace tagloom
