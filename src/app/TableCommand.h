// tagloom table [--values] FILE: the data table the workbook import builds, as TSV on standard
// output; with --values numbers by their values, not as their formats show them.
#pragma once

namespace tagloom {

class TableCommand
{
public:
    // argv[0] is the program, argv[1] "table"; returns the exit status.
    static int run(int argc, char *argv[]);
};

} // namespace tagloom
