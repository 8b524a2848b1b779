// Label pages written as a PDF document.
#include "PdfLabelDocument.h"

#include <QDateTime>
#include <cmath>

namespace tagloom {

namespace {

constexpr double millimetresPerPoint = 25.4 / 72;

} // namespace

PdfLabelDocument::PdfLabelDocument(QIODevice &out, const QSizeF &pagePoints, int dotsPerInch)
    : objects_(out)
    , fonts_(objects_)
    , engine_(objects_, fonts_, pagePoints, dotsPerInch)
    , pagePoints_(pagePoints)
    , dotsPerInch_(dotsPerInch)
    , pageTree_(objects_.reserve())
{
}

PdfLabelDocument::~PdfLabelDocument() = default;

QPaintEngine *PdfLabelDocument::paintEngine() const
{
    return &engine_;
}

void PdfLabelDocument::endPage()
{
    pages_.push_back(objects_.reserve());
    engine_.writePage(pages_.back(), pageTree_);
}

bool PdfLabelDocument::newPage()
{
    endPage();
    return !objects_.failed();
}

bool PdfLabelDocument::finish()
{
    endPage();
    fonts_.write();
    QByteArray kids;
    for (const int page : pages_)
        kids += QByteArray::number(page) + " 0 R ";
    objects_.write("<< /Type /Pages /Count " + QByteArray::number(qulonglong(pages_.size()))
            + " /Kids [" + kids + "] >>",
        pageTree_);
    const int catalog
        = objects_.write("<< /Type /Catalog /Pages " + QByteArray::number(pageTree_) + " 0 R >>");
    const int info = objects_.write("<< /Title " + pdfTextString(title_) + " /Creator "
        + pdfTextString(creator_) + " /Producer " + pdfTextString(creator_) + " /CreationDate (D:"
        + QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1()
        + "Z) >>");
    return objects_.finish(catalog, info);
}

int PdfLabelDocument::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return int(std::lround(pagePoints_.width() * dotsPerInch_ / 72));
    case PdmHeight:
        return int(std::lround(pagePoints_.height() * dotsPerInch_ / 72));
    case PdmWidthMM:
        return int(std::lround(pagePoints_.width() * millimetresPerPoint));
    case PdmHeightMM:
        return int(std::lround(pagePoints_.height() * millimetresPerPoint));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dotsPerInch_;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    }
    return 0;
}

} // namespace tagloom
