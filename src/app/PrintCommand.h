// tagloom print LAYOUT.ini [--from N] [--to M] [--copies N] [--pdf OUT.pdf | --printer NAME
// [--offset X,Y] [--scale P] | --direct LANGUAGE:WHERE [--dpi N] [--gap MM] [--offset X,Y]
// [--scale P]]: a layout's labels printed without windows or a display, through the same load and
// print run as the windows.
#pragma once

namespace tagloom {

class PrintCommand
{
public:
    // argv[0] is the program, argv[1] "print"; returns the exit status.
    static int run(int argc, char *argv[]);
};

} // namespace tagloom
