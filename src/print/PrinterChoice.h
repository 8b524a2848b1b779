// The printer labels go to: a CUPS queue (the default one when none is named) or a printer used
// with no driver. What the user chose in the main window is kept in the settings.
#pragma once

#include "Calibration.h"
#include "DirectPrinter.h"

#include <memory>

namespace tagloom {

class LabelOutput;

class PrinterChoice
{
public:
    // An empty name stands for the default queue.
    static PrinterChoice cupsQueue(const QString &name);
    static PrinterChoice direct(const DirectPrinter &printer);
    // The user's choice.
    static PrinterChoice chosen();
    // The resolution labels print at on the user's chosen printer: a direct printer's own setting,
    // or what its CUPS queue says; nothing when there is no printer or it does not say.
    static std::optional<int> chosenDotsPerInch() { return chosen().dotsPerInch(); }

    bool isDirect() const { return direct_.has_value(); }
    // The queue's name (the default queue's when none is named, empty when there is none), or the
    // direct printer as text: what the printer's calibration is kept under.
    QString name() const;
    std::optional<int> dotsPerInch() const;
    // Where a run's pages go on this printer.
    std::unique_ptr<LabelOutput> output(const Calibration &calibration) const;

private:
    QString queue_;
    std::optional<DirectPrinter> direct_;
};

} // namespace tagloom
