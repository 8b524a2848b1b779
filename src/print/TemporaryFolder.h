// Folders of a run's own in the temporary folder (TMPDIR), for files that live only while it
// runs: each goes, with what it holds, when its owner is done with it, and every one there is
// when the program is ended by Ctrl+C, kill or a closed terminal, so no run leaves one behind.
#pragma once

#include <QString>
#include <memory>

class QTemporaryDir;

namespace tagloom {

class TemporaryFolder
{
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    // False when no folder could be made.
    bool isValid() const;
    QString filePath(const QString &name) const;

    // From now on SIGINT, SIGTERM and SIGHUP remove the temporary folders there are, then end
    // the program as they would have.
    static void removeAllOnTermination();

private:
    std::unique_ptr<QTemporaryDir> folder_;
};

} // namespace tagloom
