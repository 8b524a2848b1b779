// PDF pages through QPdfWriter.
#include "PdfPageWriter.h"

#include <QPageSize>
#include <QPdfWriter>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tagloom {

namespace {

// QPdfWriter compresses every page and every picture with a zlib state of its own, a quarter of a
// megabyte made and dropped each time. glibc gives such memory back to the system at once and
// the next page faults it in afresh, which took a third of a PDF's time: keep it for reuse.
void keepFreedMemoryForReuse()
{
#ifdef __GLIBC__
    static const bool kept = [] {
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
        mallopt(M_TRIM_THRESHOLD, 64 << 20);
        return true;
    }();
    Q_UNUSED(kept);
#endif
}

} // namespace

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
    keepFreedMemoryForReuse();
    file_ = std::make_unique<UnnamedFile>(folder, name);
    if (!file_->isOpen()) return false;
    writer_ = std::make_unique<QPdfWriter>(&file_->device());
    writer_->setCreator(QStringLiteral("Tagloom"));
    writer_->setTitle(QStringLiteral("Tagloom 标签"));
    writer_->setResolution(dotsPerInch);
    writer_->setPageLayout(QPageLayout(
        QPageSize(pageSize, QPageSize::Point, QStringLiteral("Label"), QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    if (!painter_.begin(writer_.get())) return false;
    // Pictures and codes stay exact: Qt would otherwise store them as lossy JPEG.
    painter_.setRenderHint(QPainter::LosslessImageRendering, true);
    return true;
}

bool PdfPageWriter::newPage()
{
    painter_.resetTransform();
    return writer_->newPage();
}

bool PdfPageWriter::end()
{
    return painter_.end() && file_->device().error() == QFileDevice::NoError
        && file_->device().seek(0);
}

} // namespace tagloom
