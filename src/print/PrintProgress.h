// How a print run reports its progress, and how the user stops it.
#pragma once

namespace tagloom {

class PrintProgress
{
public:
    virtual ~PrintProgress() = default;

    // Called before the run draws its first page and after every page; false asks it to stop.
    virtual bool advance(int pagesDone, int pagesInAll) = 0;
    // Called once the run has drawn its last page, before it says how it ended.
    virtual void end() { }
};

// For runs nobody watches.
class SilentProgress : public PrintProgress
{
public:
    bool advance(int, int) override { return true; }
};

} // namespace tagloom
