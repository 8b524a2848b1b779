// Where a save lands. A save replaces a regular file whole or makes a new one; a symbolic link
// stands for the file it points to, as cp writes through one. A device, a pipe, a socket or a
// folder at the name is no file of ours to replace, nor is a link that points to no file.
#pragma once

#include <QString>
#include <optional>

namespace tagloom {

class SaveTarget
{
public:
    // The absolute path of the file a save to `path` writes, or nothing with what stands there
    // instead in `reason`.
    static std::optional<QString> resolve(const QString &path, QString *reason);
    // Whether a rename onto `path` replaces nothing or a regular file (the name itself, a link not
    // followed): checked again at the last moment, as the name may have changed meanwhile.
    static bool replaceable(const QString &path);
};

} // namespace tagloom
