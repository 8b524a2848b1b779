// Label pages to a CUPS queue whose driver takes no raster of ours (an office printer, cups-pdf):
// drawn as a PDF at the printer's resolution and handed to CUPS as one job once the last page is
// done, asking for the page's media and for no scaling, so the label keeps its true size.
#pragma once

#include "Calibration.h"
#include "LabelOutput.h"
#include "PageGeometry.h"
#include "PdfPageWriter.h"

namespace tagloom {

class PdfJobOutput : public LabelOutput
{
public:
    // `dotsPerInch` 0 when the queue does not say; `options` ask CUPS for the page.
    PdfJobOutput(const QString &queue, const PagePlan &plan, int dotsPerInch,
        const QList<std::pair<QByteArray, QByteArray>> &options, const Calibration &calibration);

    bool begin(const QSizeF &labelTwips, QString *reason) override;
    QPainter &painter() override { return pages_.painter(); }
    bool nextPage(QString *reason) override;
    bool finish(QString *reason) override;
    std::optional<double> dotsPerTwip() const override;

private:
    // The painter's user space: twips of the label where the page plan and the calibration put it.
    void placeLabel();

    QString queue_;
    PagePlan plan_;
    int dotsPerInch_;
    QList<std::pair<QByteArray, QByteArray>> options_;
    Calibration calibration_;
    PdfPageWriter pages_;
};

} // namespace tagloom
