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
    // One line on standard error. Control characters in it are written as \n, \t, \x1b and so
    // on, so that a path or a quote holding them can neither break the line nor steer the
    // terminal.
    static void error(const QString &line);
    // "tagloom: <problem>" with a hint to --help, one line on standard error; the usage status.
    static int usageError(const QString &problem);
    // Keeps Qt's own notes (an image library's warnings, a missing runtime folder) off standard
    // error, where scripts expect our one line; Qt's critical errors still go there.
    static void keepQtNotesOff();
};

} // namespace tagloom
