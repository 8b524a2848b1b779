// One print job handed to CUPS: a finished PDF document and the job options that say how to print
// it. The job goes to the queue whole or not at all.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <utility>

class QIODevice;

namespace tagloom {

class CupsJob
{
public:
    using Options = QList<std::pair<QByteArray, QByteArray>>;

    // Sends the document from its current position to its end; false with a reason when CUPS
    // refuses it, in which case nothing of it prints.
    static bool send(const QString &queue, const QString &title, QIODevice &pdf,
        const Options &options, QString *reason);
};

} // namespace tagloom
