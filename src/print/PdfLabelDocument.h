// A PDF document of label pages, all of one size, as a device to paint on: device pixels are dots
// of the given resolution with (0, 0) at a page's top left corner. Written as it is drawn, page
// by page; the glyph fonts, the page tree and the cross references follow the last page.
#pragma once

#include "PdfGlyphFonts.h"
#include "PdfObjectWriter.h"
#include "PdfPaintEngine.h"

#include <QPaintDevice>
#include <QSizeF>
#include <QString>
#include <vector>

class QIODevice;

namespace tagloom {

class PdfLabelDocument : public QPaintDevice
{
public:
    PdfLabelDocument(QIODevice &out, const QSizeF &pagePoints, int dotsPerInch);
    ~PdfLabelDocument() override;

    void setTitle(const QString &title) { title_ = title; }
    void setCreator(const QString &creator) { creator_ = creator; }
    QPaintEngine *paintEngine() const override;
    // Ends the page drawn and starts the next; false when the document can no longer be written.
    bool newPage();
    // Writes the last page and the rest of the document, once the painter has ended; false when
    // it could not be written whole.
    bool finish();

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    void endPage();

    PdfObjectWriter objects_;
    PdfGlyphFonts fonts_;
    mutable PdfPaintEngine engine_;
    const QSizeF pagePoints_;
    const int dotsPerInch_;
    const int pageTree_;
    std::vector<int> pages_;
    QString title_;
    QString creator_;
};

} // namespace tagloom
