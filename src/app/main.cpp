// Tagloom: batch label printing from a label picture and a workbook.
#include "CommandLine.h"

int main(int argc, char *argv[])
{
    return tagloom::CommandLine::run(argc, argv);
}
