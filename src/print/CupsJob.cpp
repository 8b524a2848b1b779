// A job through CUPS's job API: create it, stream the document, close it.
#include "CupsJob.h"

#include <QIODevice>
#include <cups/cups.h>

namespace tagloom {

namespace {

QString refusal(const QString &queue)
{
    return QStringLiteral("打印机 %1 拒绝了打印任务：%2")
        .arg(queue, QString::fromUtf8(cupsLastErrorString()));
}

bool streamDocument(const char *queue, int job, const QString &title, QIODevice &pdf)
{
    if (cupsStartDocument(
            CUPS_HTTP_DEFAULT, queue, job, title.toUtf8().constData(), CUPS_FORMAT_PDF, 1)
        != HTTP_STATUS_CONTINUE)
        return false;
    QByteArray chunk(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const qint64 read = pdf.read(chunk.data(), chunk.size());
        if (read < 0) return false;
        if (read == 0) break;
        if (cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(), static_cast<size_t>(read))
            != HTTP_STATUS_CONTINUE)
            return false;
    }
    return cupsFinishDocument(CUPS_HTTP_DEFAULT, queue) <= IPP_STATUS_OK_CONFLICTING;
}

} // namespace

bool CupsJob::send(const QString &queue, const QString &title, QIODevice &pdf,
    const Options &options, QString *reason)
{
    cups_option_t *cupsOptions = nullptr;
    int optionCount = 0;
    for (const auto &[name, value] : options)
        optionCount = cupsAddOption(name.constData(), value.constData(), optionCount, &cupsOptions);
    const QByteArray queueName = queue.toUtf8();
    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, queueName.constData(),
        title.toUtf8().constData(), optionCount, cupsOptions);
    cupsFreeOptions(optionCount, cupsOptions);
    if (job == 0) {
        *reason = refusal(queue);
        return false;
    }
    if (!streamDocument(queueName.constData(), job, title, pdf)) {
        *reason = refusal(queue);
        cupsCancelJob2(CUPS_HTTP_DEFAULT, queueName.constData(), job, 0);
        return false;
    }
    return true;
}

} // namespace tagloom
