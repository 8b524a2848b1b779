// PDF pages through the label document.
#include "PdfPageWriter.h"

#include "PdfLabelDocument.h"

namespace tagloom {

PdfPageWriter::PdfPageWriter() = default;

PdfPageWriter::~PdfPageWriter()
{
    // A document never ended is dropped with its file. Ending it may itself run out of memory,
    // which must not end the program.
    if (painter_.isActive()) {
        try {
            painter_.end();
        } catch (const std::bad_alloc &) {
        }
    }
}

bool PdfPageWriter::begin(
    const QString &folder, const QString &name, const QSizeF &pageSize, int dotsPerInch)
{
    file_ = std::make_unique<UnnamedFile>(folder, name);
    if (!file_->isOpen()) return false;
    document_ = std::make_unique<PdfLabelDocument>(file_->device(), pageSize, dotsPerInch);
    document_->setCreator(QStringLiteral("Tagloom"));
    document_->setTitle(QStringLiteral("Tagloom 标签"));
    return painter_.begin(document_.get());
}

bool PdfPageWriter::newPage()
{
    painter_.resetTransform();
    return document_->newPage();
}

bool PdfPageWriter::end()
{
    return painter_.end() && document_->finish() && file_->device().error() == QFileDevice::NoError
        && file_->device().seek(0);
}

} // namespace tagloom
