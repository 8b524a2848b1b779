// PDF pages of one size drawn into an unnamed file: the form in which labels go to a PDF file and
// to a printer alike. The painter's device pixels are dots of the given resolution, with (0, 0) at
// the page's top left corner.
#pragma once

#include "UnnamedFile.h"

#include <QPainter>
#include <QSizeF>
#include <memory>

namespace tagloom {

class PdfLabelDocument;

class PdfPageWriter
{
public:
    PdfPageWriter();
    ~PdfPageWriter();
    PdfPageWriter(const PdfPageWriter &) = delete;
    PdfPageWriter &operator=(const PdfPageWriter &) = delete;

    // Starts the first page, `pageSize` in points, in a new unnamed file in `folder`; false when
    // the folder takes no file.
    bool begin(const QString &folder, const QString &name, const QSizeF &pageSize, int dotsPerInch);
    QPainter &painter() { return painter_; }
    bool newPage();
    // Ends the document; false when it could not be written whole.
    bool end();
    // The document, once ended.
    UnnamedFile &file() { return *file_; }

private:
    std::unique_ptr<UnnamedFile> file_;
    std::unique_ptr<PdfLabelDocument> document_;
    QPainter painter_;
};

} // namespace tagloom
