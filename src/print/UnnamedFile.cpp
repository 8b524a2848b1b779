// Unnamed files with O_TMPFILE, linked into place with linkat; hidden files where that fails.
#include "UnnamedFile.h"

#include "SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace tagloom {

namespace {

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

bool processIsGone(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH;
}

// Hidden files of runs that died before publishing them.
void removeLeftovers(const QString &folder, const QString &name)
{
    const QString prefix = QStringLiteral(".%1.").arg(name);
    const QDir dir(folder);
    const QStringList hidden = dir.entryList(
        {prefix + QStringLiteral("*.part")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &entry : hidden) {
        bool isNumber = false;
        const qint64 pid
            = entry.mid(prefix.size(), entry.size() - prefix.size() - 5).toLongLong(&isNumber);
        if (isNumber && processIsGone(pid)) QFile::remove(dir.filePath(entry));
    }
}

} // namespace

UnnamedFile::UnnamedFile(const QString &folder, const QString &name)
{
    removeLeftovers(folder, name);
    if (!openUnnamed(folder)) openHidden(folder, name);
}

UnnamedFile::~UnnamedFile()
{
    file_.close();
    if (!hiddenPath_.isEmpty()) QFile::remove(hiddenPath_);
}

QString UnnamedFile::hiddenPath(const QString &folder, const QString &name) const
{
    return QDir(folder).filePath(
        QStringLiteral(".%1.%2.part").arg(name).arg(QCoreApplication::applicationPid()));
}

bool UnnamedFile::openUnnamed(const QString &folder)
{
    const int descriptor
        = ::open(encoded(folder).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (descriptor < 0) return false;
    if (!file_.open(descriptor, QIODevice::ReadWrite, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return false;
    }
    return true;
}

void UnnamedFile::openHidden(const QString &folder, const QString &name)
{
    hiddenPath_ = hiddenPath(folder, name);
    file_.setFileName(hiddenPath_);
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Truncate)) hiddenPath_.clear();
}

bool UnnamedFile::publishAs(const QString &path)
{
    if (!file_.flush() || ::fdatasync(file_.handle()) != 0) return false;
    const QByteArray target = encoded(path);
    if (hiddenPath_.isEmpty()) {
        // The unnamed file gets its name through its descriptor's entry in /proc.
        const QByteArray self
            = QByteArrayLiteral("/proc/self/fd/") + QByteArray::number(file_.handle());
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW)
            == 0)
            return true;
        if (errno != EEXIST) return false;
        // An older file holds the name: link under a hidden name first, then replace it in one
        // step.
        const QFileInfo info(path);
        hiddenPath_ = hiddenPath(info.absolutePath(), info.fileName());
        QFile::remove(hiddenPath_);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, encoded(hiddenPath_).constData(),
                AT_SYMLINK_FOLLOW)
            != 0) {
            hiddenPath_.clear();
            return false;
        }
    }
    // rename() would put the file in place of a device or a pipe as readily as of a file.
    if (!SaveTarget::replaceable(path)
        || ::rename(encoded(hiddenPath_).constData(), target.constData()) != 0)
        return false;
    hiddenPath_.clear();
    return true;
}

} // namespace tagloom
