// The window program: the main window with the canvas and the data source window docked beside
// it, optionally with a layout loaded. `tagloom` without a command hands over to it.
#pragma once

namespace tagloom {

class WindowProgram
{
public:
    // argv[1], when given, is the layout to load; returns the exit status.
    static int run(int argc, char *argv[]);
};

} // namespace tagloom
