// Label pages through Qt's printing: the default printer, a named printer (CUPS on Linux) or a PDF
// file. PDF pages are the size of the label; printer pages keep the printer's own page size, with
// the label at the top left of the printable area. Either way the label has its true size.
#pragma once

#include "LabelOutput.h"

#include <QPainter>
#include <memory>

class QPrinter;

namespace tagloom {

class PrinterOutput : public LabelOutput
{
public:
    // An empty name means the default printer.
    static std::unique_ptr<PrinterOutput> forPrinter(const QString &printerName = {});
    // Writes the PDF next to its final place and moves it there when the job is sent: complete,
    // or with the pages done when a run stops early. A program that dies half-way leaves no
    // half-written file in its place.
    static std::unique_ptr<PrinterOutput> forPdf(const QString &pdfPath);
    ~PrinterOutput() override;

    bool begin(const QSizeF &labelTwips, QString *reason) override;
    QPainter &painter() override { return painter_; }
    bool nextPage(QString *reason) override;
    bool finish(QString *reason) override;

private:
    PrinterOutput(const QString &printerName, const QString &pdfPath);
    // Why the printer or the PDF file would not take the job.
    QString refusal() const;

    QString printerName_;
    QString pdfPath_;
    QString partialPdfPath_;
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};

} // namespace tagloom
