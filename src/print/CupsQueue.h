// A print queue as CUPS describes it: its name, the paper it takes by default and the resolution
// it prints at. Defaults set for the queue on the server (lpadmin -o PageSize-default=…,
// -o media-default=…) and the user's own (lpoptions) count, as they do for lp.
#pragma once

#include "PrinterPaper.h"

#include <QSize>
#include <QStringList>
#include <optional>

namespace tagloom {

class CupsQueue
{
public:
    // The named queue, or the default one for an empty name; nothing with a reason for the user
    // when there is no such queue, no default or CUPS does not answer.
    static std::optional<CupsQueue> find(const QString &name, QString *reason);

    // The queues of this machine, by name, and the default one (empty when there is none).
    static QStringList names();
    static QString defaultName();

    const QString &name() const { return name_; }
    const PrinterPaper &paper() const { return paper_; }
    // Dots per inch across and along the paper; invalid when the queue does not say.
    QSize resolution() const { return resolution_; }
    // The option that chose that resolution when an option did (the user's lpoptions, say): a job
    // must repeat it, as CUPS applies only the server's own defaults by itself.
    const std::pair<QByteArray, QByteArray> &resolutionOption() const { return resolutionOption_; }

private:
    CupsQueue() = default;

    QString name_;
    PrinterPaper paper_;
    QSize resolution_;
    std::pair<QByteArray, QByteArray> resolutionOption_;
};

} // namespace tagloom
