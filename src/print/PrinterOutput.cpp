// Label pages through QPrinter to a printer or a PDF file.
#include "PrinterOutput.h"

#include "canvas/LabelPainter.h"
#include "canvas/Twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <filesystem>

namespace tagloom {

std::unique_ptr<PrinterOutput> PrinterOutput::forPrinter(const QString &printerName)
{
    return std::unique_ptr<PrinterOutput>(new PrinterOutput(printerName, {}));
}

std::unique_ptr<PrinterOutput> PrinterOutput::forPdf(const QString &pdfPath)
{
    return std::unique_ptr<PrinterOutput>(new PrinterOutput({}, pdfPath));
}

PrinterOutput::PrinterOutput(const QString &printerName, const QString &pdfPath)
    : printerName_(printerName)
    , pdfPath_(pdfPath)
{
}

PrinterOutput::~PrinterOutput()
{
    // A job that never finished: nothing half-written stays behind. Ending it may itself run out
    // of memory, which must not end the program.
    if (painter_.isActive()) {
        try {
            printer_->abort();
            painter_.end();
        } catch (const std::bad_alloc &) {
        }
        if (!partialPdfPath_.isEmpty()) QFile::remove(partialPdfPath_);
    }
}

QString PrinterOutput::refusal() const
{
    return pdfPath_.isEmpty() ? QStringLiteral("打印机拒绝了打印任务")
                              : QStringLiteral("无法写入 PDF 文件 %1").arg(pdfPath_);
}

bool PrinterOutput::begin(const QSizeF &labelTwips, QString *reason)
{
    if (pdfPath_.isEmpty()) {
        const QPrinterInfo info = printerName_.isEmpty() ? QPrinterInfo::defaultPrinter()
                                                         : QPrinterInfo::printerInfo(printerName_);
        if (info.isNull()) {
            *reason = printerName_.isEmpty() ? QStringLiteral("没有默认打印机")
                                             : QStringLiteral("找不到打印机 %1").arg(printerName_);
            return false;
        }
        printer_ = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    } else {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const QFileInfo target(pdfPath_);
        partialPdfPath_ = target.dir().filePath(QStringLiteral(".%1.%2.part")
                                                    .arg(target.fileName())
                                                    .arg(QCoreApplication::applicationPid()));
        // Asked first, so that a folder that takes no file gets our message rather than Qt's
        // warning.
        QFile probe(partialPdfPath_);
        if (!probe.open(QIODevice::WriteOnly)) {
            *reason = refusal();
            return false;
        }
        probe.close();
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(partialPdfPath_);
        // A PDF page is the label itself.
        printer_->setPageSize(
            QPageSize(QSizeF(labelTwips.width() / twipsPerInch, labelTwips.height() / twipsPerInch),
                QPageSize::Inch, QStringLiteral("Label"), QPageSize::ExactMatch));
        printer_->setPageOrientation(QPageLayout::Portrait);
        printer_->setFullPage(true);
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
    }
    printer_->setCreator(QStringLiteral("Tagloom"));
    printer_->setDocName(QStringLiteral("Tagloom 标签"));
    if (!painter_.begin(printer_.get())) {
        *reason = refusal();
        QFile::remove(partialPdfPath_);
        return false;
    }
    LabelPainter::useTwips(painter_);
    return true;
}

bool PrinterOutput::nextPage(QString *reason)
{
    if (!printer_->newPage()) {
        *reason = QStringLiteral("打印机拒绝了新的一页");
        return false;
    }
    painter_.resetTransform();
    LabelPainter::useTwips(painter_);
    return true;
}

bool PrinterOutput::finish(QString *reason)
{
    const bool ended = painter_.end();
    if (!ended || printer_->printerState() == QPrinter::Error) {
        *reason = refusal();
        QFile::remove(partialPdfPath_);
        return false;
    }
    if (!partialPdfPath_.isEmpty()) {
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(partialPdfPath_).toStdString(),
            QFile::encodeName(pdfPath_).toStdString(), error);
        if (error) {
            *reason = refusal();
            QFile::remove(partialPdfPath_);
            return false;
        }
    }
    return true;
}

} // namespace tagloom
