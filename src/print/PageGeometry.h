// Where a label goes on a printer: on the printer's default media at the top left of the area it
// prints, or, when the label does not fit there, on a custom page of the label's own size. A
// printer that takes no custom sizes refuses such a label before anything is printed.
#pragma once

#include "PrinterPaper.h"

#include <QPointF>

namespace tagloom {

struct PagePlan
{
    QSizeF pageSize; // points, exact: the page of a label printer is the label to the dot
    QPointF labelOrigin; // the label's top left on the page, points
    QString mediaOption; // the job option and value that ask the printer for this page
    QString mediaValue;
};

class PageGeometry
{
public:
    // A label may be this much larger than the printable area and still count as fitting: sizes
    // given in inches, millimetres and points differ by such amounts.
    static constexpr double fitTolerance = 0.5; // points

    static std::optional<PagePlan> plan(
        const QSizeF &labelSize, const PrinterPaper &paper, QString *refusal);
};

} // namespace tagloom
