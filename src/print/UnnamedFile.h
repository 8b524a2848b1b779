// A file that has no name until it is complete. It is made in the folder where it will live and
// appears there only when published, whole, in one step that replaces an older file of that
// name; a run that dies first leaves nothing behind. Where the file system cannot make unnamed
// files (FAT, some network shares) it is a hidden ".NAME.PID.part" file meanwhile; every new file
// removes the hidden files of runs that died before publishing theirs.
#pragma once

#include <QFile>
#include <QString>

namespace tagloom {

class UnnamedFile
{
public:
    // In `folder`; `name` is the name the hidden file is made from, when one is needed.
    UnnamedFile(const QString &folder, const QString &name);
    ~UnnamedFile();
    UnnamedFile(const UnnamedFile &) = delete;
    UnnamedFile &operator=(const UnnamedFile &) = delete;

    // Open for reading and writing, or false when the folder takes no file.
    bool isOpen() const { return file_.isOpen(); }
    QFile &device() { return file_; }

    // Syncs the file to the disk and gives it the name `path`, which must lie in its folder;
    // false when something other than a regular file holds that name.
    bool publishAs(const QString &path);

private:
    bool openUnnamed(const QString &folder);
    void openHidden(const QString &folder, const QString &name);
    QString hiddenPath(const QString &folder, const QString &name) const;

    QFile file_;
    QString hiddenPath_; // empty while the file has no name at all
};

} // namespace tagloom
