// Finding the files a cups-pdf printer wrote, and knowing when they are complete.
#include "CupsPdfOutput.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

namespace tagloom::test {

namespace {

// Where cups-pdf puts the files of this user's jobs: its "Out" setting, with ${HOME} the home of
// the job's user, or its folder for anonymous jobs.
QStringList cupsPdfFolders()
{
    QString out = QStringLiteral("${HOME}/PDF");
    QFile config(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (config.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : config.readAll().split('\n')) {
            if (line.startsWith("Out ")) out = QString::fromUtf8(line.mid(4).trimmed());
        }
    }
    const passwd *user = getpwuid(getuid());
    out.replace(
        QLatin1String("${HOME}"), user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath());
    return {out, QStringLiteral("/var/spool/cups-pdf/ANONYMOUS")};
}

bool queueIsEmpty(const QString &queue)
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
    return lpstat.waitForFinished() && lpstat.readAllStandardOutput().trimmed().isEmpty();
}

} // namespace

CupsPdfOutput::CupsPdfOutput(const QString &queue)
    : queue_(queue)
    // File times have whole seconds on some file systems.
    , start_(QDateTime::currentDateTime().addSecs(-1))
{
}

QStringList CupsPdfOutput::pdfsWrittenSince() const
{
    QStringList found;
    for (const QString &folder : cupsPdfFolders()) {
        for (const QFileInfo &file :
            QDir(folder).entryInfoList({QStringLiteral("*.pdf")}, QDir::Files)) {
            if (file.lastModified() >= start_) found << file.filePath();
        }
    }
    return found;
}

QStringList CupsPdfOutput::waitForPdfs(
    int timeoutMs, const std::function<void()> &whileWaiting) const
{
    QElapsedTimer clock;
    clock.start();
    QStringList pdfs;
    if (!QTest::qWaitFor(
            [&] {
                if (whileWaiting) whileWaiting();
                pdfs = pdfsWrittenSince();
                return !pdfs.isEmpty() && queueIsEmpty(queue_);
            },
            timeoutMs))
        return {};
    // cups-pdf finishes a file a moment after the queue empties: wait until none still grows.
    QList<qint64> sizes;
    QElapsedTimer unchanged;
    unchanged.start();
    const bool complete = QTest::qWaitFor(
        [&] {
            QList<qint64> now;
            for (const QString &pdf : pdfs)
                now << QFileInfo(pdf).size();
            if (now != sizes) {
                sizes = now;
                unchanged.restart();
            }
            return !sizes.contains(0) && unchanged.elapsed() > 300;
        },
        std::max(10000, int(timeoutMs - clock.elapsed())));
    return complete ? pdfs : QStringList();
}

} // namespace tagloom::test
