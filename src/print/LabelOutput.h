// Where label pages go: a printer or a PDF file. A run opens the output once, draws one page per
// label and closes it, so one run is one print job for the person, whether the pages reach the
// printer as they are drawn or all together at the end.
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

    // Asked before begin(): whether the output prints every page `copies` times by the printer's
    // own count. When it does not, the run draws every copy as a page of its own.
    virtual bool takeCopies(int copies) { return copies == 1; }
    // Opens the job for labels of the given size in twips; false with a reason when it cannot.
    virtual bool begin(const QSizeF &labelTwips, QString *reason) = 0;
    // The painter of the current page, its user space twips with (0, 0) at the label's top left.
    virtual QPainter &painter() = 0;
    // Ends the current page and starts the next one; false with a reason when the output refuses.
    // An output that feeds the printer as it goes sends the page now.
    virtual bool nextPage(QString *reason) = 0;
    // Ends the last page and sends whatever is still to go; false with a reason when the output
    // refuses it. Dropped unfinished, an output sends nothing more.
    virtual bool finish(QString *reason) = 0;
    // The labels (copies counted) that have gone to the printer whole and print whatever becomes
    // of the rest of the job: none for an output that sends its job only when it is finished.
    virtual int labelsAlreadySent() const { return 0; }

    // For a printer, once begun: its dots per twip of the label as drawn. The codes are then
    // drawn on the printer's dot grid, so that every module and bar is a whole number of dots.
    virtual std::optional<double> dotsPerTwip() const { return std::nullopt; }
};

} // namespace tagloom
