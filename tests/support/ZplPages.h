// Reads what CUPS's ZPL label driver sends to the printer back into the pictures the print head
// would burn: one bitmap per page, black where the head heats a dot.
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
    int quantity = 1; // the ^PQ of the page's format: how many times the printer repeats it
};

// The pages of a ZPL stream, in order; an empty list when it holds no graphics the driver makes.
QList<ZplPage> zplPages(const QByteArray &zpl);

// The file that a queue of with-label-printers.sh writes, replaced by every job.
QString zplSpoolFile(const QString &queue);
// The pages of the queue's last job, once CUPS is done with it; empty when none came within a
// minute.
QList<ZplPage> zplPagesPrinted(const QString &queue);

} // namespace tagloom::test
