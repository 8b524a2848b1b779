// tagloom-gui: the windows of Tagloom, started by `tagloom` for its window mode.
#include "WindowProgram.h"

int main(int argc, char *argv[])
{
    return tagloom::WindowProgram::run(argc, argv);
}
