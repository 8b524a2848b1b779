// The command line: `tagloom [LAYOUT.ini]` opens the windows, `tagloom table FILE` prints a
// workbook's data table, `tagloom print LAYOUT.ini ...` prints labels without windows.
#pragma once

namespace tagloom {

class CommandLine
{
public:
    // Runs what the arguments ask for and returns the exit status.
    static int run(int argc, char *argv[]);
};

} // namespace tagloom
