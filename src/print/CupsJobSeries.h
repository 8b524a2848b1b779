// A run's pages to a CUPS queue as they are drawn. CUPS starts printing a job only once its last
// document is complete, so one job for a long run would keep the printer waiting until every page
// is drawn. The pages go instead in a series of jobs, each started when the one before it is
// handed over: the first holds one page, so that it prints at once, and each next one twice as
// many as the one before, or the pages drawn in twice the time (from one second up to sixteen),
// whichever comes first. CUPS prints them in turn, in page order; a long run is a few dozen jobs,
// far from the scheduler's limit of jobs.
#pragma once

#include "CupsJob.h"
#include "PrinterConnection.h"

#include <QElapsedTimer>
#include <functional>

struct _http_s; // CUPS's http_t

namespace tagloom {

class CupsJobSeries : public PrinterConnection
{
public:
    // Jobs to `queue` of documents in `format`, each starting with what `documentStart` gives.
    CupsJobSeries(const QString &queue, const QByteArray &format, const CupsJob::Options &options,
        std::function<QByteArray()> documentStart);
    ~CupsJobSeries() override;

    bool open(QString *reason) override;
    bool send(const QByteArray &page, int labels, QString *reason) override;
    bool close(QString *reason) override;
    int labelsSent() const override { return labelsSent_; }

private:
    bool startJob(QString *reason);
    bool endJob(QString *reason);
    // Drops the job being written, none of which prints.
    void dropJob();
    QString refusal() const;

    _http_s *http_ = nullptr; // a connection of the series' own, which a dropped job ends
    QString queue_;
    QByteArray format_;
    CupsJob::Options options_;
    std::function<QByteArray()> documentStart_;
    int job_ = 0; // the job being written, 0 for none
    int pagesInJob_ = 0;
    int labelsInJob_ = 0;
    int pagesForJob_ = 1; // when the job being written is complete
    qint64 millisecondsForJob_;
    QElapsedTimer jobAge_;
    int labelsSent_ = 0;
    bool failed_ = false;
};

} // namespace tagloom
