// Label pages drawn at a printer's own dots and sent one by one as they are drawn: each page put
// into the printer's language and through the connection to it, so the printer starts on the
// first label at once and the run never holds more than one page. The label lies where the page's
// plan and the printer's calibration put it.
#pragma once

#include "Calibration.h"
#include "DotPage.h"
#include "LabelOutput.h"
#include "PrinterConnection.h"
#include "PrinterLanguage.h"

#include <memory>

namespace tagloom {

struct DotPlan
{
    QSize pageDots;
    QPointF labelOrigin; // the label's top left on the page, in dots
    int dotsPerInch = 0;
};

class DotPrinterOutput : public LabelOutput
{
public:
    // Every page printed `copies` times by the language's own count.
    DotPrinterOutput(const DotPlan &plan, const Calibration &calibration,
        std::unique_ptr<PrinterLanguage> language, std::unique_ptr<PrinterConnection> connection,
        int copies = 1);

    bool begin(const QSizeF &labelTwips, QString *reason) override;
    QPainter &painter() override { return *painter_; }
    bool nextPage(QString *reason) override;
    bool finish(QString *reason) override;
    int labelsAlreadySent() const override { return connection_->labelsSent(); }
    std::optional<double> dotsPerTwip() const override;

private:
    void startPage();
    bool sendPage(QString *reason);

    DotPlan plan_;
    Calibration calibration_;
    std::unique_ptr<PrinterLanguage> language_;
    std::unique_ptr<PrinterConnection> connection_; // after the language, which it may call
    int copies_;
    DotPage page_;
    QPainter *painter_ = nullptr;
    bool failed_ = false;
};

} // namespace tagloom
