// Reads ZPL back into the pictures the print head would burn, one per label format: the graphics
// CUPS's rastertolabel stores with ~DG and recalls with ^XG, and those a format carries itself in
// ^GF, in ZPL's compressed ASCII hex.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

namespace tagloom::test {

struct ZplPage
{
    QImage dots; // Format_Grayscale8, 0 for a burnt dot and 255 for paper, one pixel per dot
    int printWidth = 0; // the ^PW of the page's format, in dots
    int labelLength = 0; // its ^LL, 0 when it has none
    int quantity = 1; // its ^PQ: how many times the printer prints it
};

// The pages of a ZPL stream, in order; an empty list when a graphic in it does not decode.
QList<ZplPage> zplPages(const QByteArray &zpl);

// The file that a queue of with-label-printers.sh appends every job to; a test removes it before
// it prints.
QString zplSpoolFile(const QString &queue);
// The pages of the queue's last job, once CUPS is done with it; empty when none came within a
// minute.
QList<ZplPage> zplPagesPrinted(const QString &queue);

} // namespace tagloom::test
