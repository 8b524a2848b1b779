// What the commands ask of the windows beyond the state they change: create, show, dock, fit.
// The windowed program carries these out; the command line has no windows and ignores them.
#pragma once

namespace tagloom {

class LabelDesign;
class DataTable;

class WindowEffects
{
public:
    virtual ~WindowEffects() = default;

    virtual void canvasCreated(LabelDesign &) { }
    virtual void canvasDiscarded() { }
    virtual void showCanvas() { }
    virtual void startDocking() { }
    virtual void dataTableCreated(DataTable &) { }
    virtual void dataTableDiscarded() { }
    virtual void showDataWindow() { }
    virtual void fitDataColumns() { }
};

} // namespace tagloom
