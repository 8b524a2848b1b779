// Looks into a PDF as a person would: its pages rendered to pictures (pdftoppm), its text
// (pdftotext) and its page count and size (pdfinfo).
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>

namespace tagloom::test {

int pdfPageCount(const QString &pdf);
// Page size in points of the first page.
QSizeF pdfPageSize(const QString &pdf);
// Page `page` (from 1) at the given resolution, in shades of grey.
QImage renderPdfPage(const QString &pdf, int page, int dpi = 300);
QString pdfPageText(const QString &pdf, int page);

} // namespace tagloom::test
