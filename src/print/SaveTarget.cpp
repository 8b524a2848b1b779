// The file a save writes, refusing what is no regular file.
#include "SaveTarget.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace tagloom {

namespace {

// What is at the name (a link not followed), or nothing when the name is free.
std::optional<mode_t> kindAt(const QString &path)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0) return std::nullopt;
    return status.st_mode & S_IFMT;
}

// What a kind of file is called, for one that is no regular file.
QString kindName(mode_t kind)
{
    switch (kind) {
    case S_IFDIR:
        return QStringLiteral("文件夹");
    case S_IFCHR:
    case S_IFBLK:
        return QStringLiteral("设备");
    case S_IFIFO:
        return QStringLiteral("管道");
    case S_IFSOCK:
        return QStringLiteral("套接字");
    default:
        return QStringLiteral("特殊文件");
    }
}

} // namespace

std::optional<QString> SaveTarget::resolve(const QString &path, QString *reason)
{
    const QFileInfo name(path);
    const std::optional<mode_t> kind = kindAt(name.absoluteFilePath());
    // A free name (or one the writer will find it cannot use, and say why).
    if (!kind) return name.absoluteFilePath();
    if (*kind == S_IFREG) return name.absoluteFilePath();
    if (*kind != S_IFLNK) {
        *reason = QStringLiteral("它是%1，不是普通文件").arg(kindName(*kind));
        return std::nullopt;
    }
    // Every link of a chain followed; empty when the last one points to nothing.
    const QString file = name.canonicalFilePath();
    const std::optional<mode_t> target = file.isEmpty() ? std::nullopt : kindAt(file);
    if (!target) {
        *reason = QStringLiteral("它是符号链接，指向的文件不存在");
        return std::nullopt;
    }
    if (*target != S_IFREG) {
        *reason = QStringLiteral("它是符号链接，指向的“%1”是%2，不是普通文件")
                      .arg(file, kindName(*target));
        return std::nullopt;
    }
    return file;
}

bool SaveTarget::replaceable(const QString &path)
{
    const std::optional<mode_t> kind = kindAt(path);
    return !kind || *kind == S_IFREG;
}

} // namespace tagloom
