// Where label pages go: a printer or a PDF file. A run opens the output once, draws one page per
// label and closes it, so one run is one print job.
#pragma once

#include <QSizeF>
#include <QString>
#include <optional>

class QPainter;

namespace tagloom {

class LabelOutput
{
public:
    virtual ~LabelOutput() = default;

    // Opens the job for labels of the given size in twips; false with a reason when it cannot.
    // Nothing prints before finish(): an output dropped unfinished prints nothing.
    virtual bool begin(const QSizeF &labelTwips, QString *reason) = 0;
    // The painter of the current page, its user space twips with (0, 0) at the label's top left.
    virtual QPainter &painter() = 0;
    // Ends the current page and starts the next one; false with a reason when the output refuses.
    virtual bool nextPage(QString *reason) = 0;
    // Sends the job; false with a reason when the output refuses it.
    virtual bool finish(QString *reason) = 0;

    // For a printer, once begun: its dots per twip of the label as drawn. The codes are then
    // drawn on the printer's dot grid, so that every module and bar is a whole number of dots.
    virtual std::optional<double> dotsPerTwip() const { return std::nullopt; }
};

} // namespace tagloom
