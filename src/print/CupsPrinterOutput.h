// Label pages to a CUPS printer. The page is the printer's default media with the label at the
// top left of what it prints, or a custom page of the label's size when the label does not fit
// (PageGeometry). The pages are drawn as a PDF at the printer's resolution and go to CUPS as one
// job that asks for that media and for no scaling, so the label keeps its true size; the
// printer's calibration moves and scales every page.
#pragma once

#include "Calibration.h"
#include "LabelOutput.h"
#include "PageGeometry.h"
#include "PdfPageWriter.h"

#include <QSize>

namespace tagloom {

class CupsPrinterOutput : public LabelOutput
{
public:
    // An empty name means the default printer.
    CupsPrinterOutput(const QString &printerName, const Calibration &calibration);

    bool begin(const QSizeF &labelTwips, QString *reason) override;
    QPainter &painter() override { return pages_.painter(); }
    bool nextPage(QString *reason) override;
    bool finish(QString *reason) override;
    std::optional<double> dotsPerTwip() const override;

private:
    // The painter's user space: twips of the label where the page plan and the calibration put it.
    void placeLabel();

    QString printerName_;
    Calibration calibration_;
    QString queueName_;
    PagePlan plan_;
    int dotsPerInch_ = 0; // 0 when the printer does not say
    std::pair<QByteArray, QByteArray> resolutionOption_;
    PdfPageWriter pages_;
};

} // namespace tagloom
