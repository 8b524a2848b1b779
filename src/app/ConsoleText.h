// What the command line writes for people and scripts: UTF-8 text on standard output or standard
// error, and its exit statuses.
#pragma once

#include <QString>
#include <cstdio>

namespace tagloom {

enum ExitStatus { exitOk = 0, exitFailure = 1, exitUsage = 2 };

class ConsoleText
{
public:
    static void write(FILE *stream, const QString &text);
    // "tagloom: <problem>" with a hint to --help, one line on standard error; the usage status.
    static int usageError(const QString &problem);
};

} // namespace tagloom
