// Pages to CUPS in a series of jobs.
#include "CupsJobSeries.h"

#include <algorithm>
#include <cups/cups.h>

namespace tagloom {

namespace {

// A job is handed over once its pages took this long to draw, so that a slowly drawn run still
// reaches the printer steadily.
constexpr qint64 firstJobMilliseconds = 1000;
constexpr qint64 longestJobMilliseconds = 16000;
constexpr int connectMilliseconds = 30000;

} // namespace

CupsJobSeries::CupsJobSeries(const QString &queue, const QByteArray &format,
    const CupsJob::Options &options, std::function<QByteArray()> documentStart)
    : queue_(queue)
    , format_(format)
    , options_(options)
    , documentStart_(std::move(documentStart))
    , millisecondsForJob_(firstJobMilliseconds)
{
}

CupsJobSeries::~CupsJobSeries()
{
    dropJob();
    httpClose(http_);
}

QString CupsJobSeries::refusal() const
{
    return QStringLiteral("打印机 %1 拒绝了打印任务：%2")
        .arg(queue_, QString::fromUtf8(cupsLastErrorString()));
}

bool CupsJobSeries::open(QString *reason)
{
    http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
        connectMilliseconds, nullptr);
    if (!http_)
        *reason = QStringLiteral("无法连接 CUPS：%1").arg(QString::fromUtf8(cupsLastErrorString()));
    return http_ != nullptr;
}

bool CupsJobSeries::startJob(QString *reason)
{
    cups_option_t *options = nullptr;
    int count = 0;
    for (const auto &[name, value] : options_)
        count = cupsAddOption(name.constData(), value.constData(), count, &options);
    const QByteArray queue = queue_.toUtf8();
    const QByteArray title = QStringLiteral("Tagloom 标签").toUtf8();
    job_ = cupsCreateJob(http_, queue.constData(), title.constData(), count, options);
    cupsFreeOptions(count, options);
    if (job_ == 0) {
        *reason = refusal();
        return false;
    }
    const QByteArray start = documentStart_();
    if (cupsStartDocument(http_, queue.constData(), job_, title.constData(), format_.constData(), 1)
            != HTTP_STATUS_CONTINUE
        || (!start.isEmpty()
            && cupsWriteRequestData(http_, start.constData(), size_t(start.size()))
                != HTTP_STATUS_CONTINUE)) {
        *reason = refusal();
        dropJob();
        return false;
    }
    pagesInJob_ = 0;
    labelsInJob_ = 0;
    jobAge_.start();
    return true;
}

bool CupsJobSeries::endJob(QString *reason)
{
    const int job = job_;
    job_ = 0;
    if (cupsFinishDocument(http_, queue_.toUtf8().constData()) > IPP_STATUS_OK_CONFLICTING) {
        *reason = refusal();
        cupsCancelJob2(http_, queue_.toUtf8().constData(), job, 0);
        return false;
    }
    labelsSent_ += labelsInJob_;
    pagesForJob_ = 2 * pagesInJob_;
    millisecondsForJob_ = std::min(2 * millisecondsForJob_, longestJobMilliseconds);
    return true;
}

void CupsJobSeries::dropJob()
{
    if (job_ == 0) return;
    // The connection closed in the middle of the document leaves the job without one; cancelled
    // then, it never prints.
    httpClose(http_);
    http_ = nullptr;
    cupsCancelJob2(CUPS_HTTP_DEFAULT, queue_.toUtf8().constData(), job_, 0);
    job_ = 0;
}

bool CupsJobSeries::send(const QByteArray &page, int labels, QString *reason)
{
    if (failed_) return false;
    if (job_ == 0 && !startJob(reason)) {
        failed_ = true;
        return false;
    }
    if (cupsWriteRequestData(http_, page.constData(), size_t(page.size()))
        != HTTP_STATUS_CONTINUE) {
        *reason = refusal();
        dropJob();
        failed_ = true;
        return false;
    }
    ++pagesInJob_;
    labelsInJob_ += labels;
    if (pagesInJob_ >= pagesForJob_ || jobAge_.elapsed() >= millisecondsForJob_) {
        if (!endJob(reason)) {
            failed_ = true;
            return false;
        }
    }
    return true;
}

bool CupsJobSeries::close(QString *reason)
{
    if (failed_) return false;
    return job_ == 0 || endJob(reason);
}

} // namespace tagloom
