// What a cups-pdf printer wrote: the PDF files of this user's jobs, read back once CUPS is done
// with them. The queue itself is set up by with-cups-pdf-queue.sh.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

namespace tagloom::test {

class CupsPdfOutput
{
public:
    // Only files written from now on count.
    explicit CupsPdfOutput(const QString &queue = QStringLiteral("TagloomTest"));

    // Waits until the queue has no job left and at least one new PDF has stopped growing, then
    // returns every new PDF (empty when none was complete within the time). `whileWaiting` runs at
    // every look, to give up early by throwing.
    QStringList waitForPdfs(int timeoutMs, const std::function<void()> &whileWaiting = {}) const;

private:
    QStringList pdfsWrittenSince() const;

    QString queue_;
    QDateTime start_;
};

} // namespace tagloom::test
