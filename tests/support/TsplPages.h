// Reads TSPL, as sent to a TSC-compatible printer, back into its labels: the size and gap each
// label program sets, the bitmap it puts in the image buffer and how many it prints.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSizeF>

namespace tagloom::test {

struct TsplPage
{
    QSizeF sizeMm; // SIZE
    double gapMm = -1; // GAP
    QPoint at; // where BITMAP puts the picture, in dots
    QImage dots; // Format_Grayscale8, 0 for a printed dot and 255 for paper
    int copies = 0; // PRINT 1,n
};

// The labels of a TSPL stream, in order; an empty list when a command in it does not read.
QList<TsplPage> tsplPages(const QByteArray &tspl);

} // namespace tagloom::test
