// The two paths of a layout file, lines 1 and 2: what a path field names, and what a layout writes
// for a path so that one that named its files relative to its own folder keeps doing so.
#pragma once

#include "app/MainPanel.h"

namespace tagloom {

class LayoutPaths
{
public:
    // The file a path field of a layout in `folder` names: a relative path is taken from there.
    static QString resolve(const QString &written, const QString &folder);

    // What a layout saved in `folder` writes for the path on `line`: the text the last loaded
    // layout had there when, taken from `folder`, it names the same file; the path otherwise.
    static QString toWrite(const MainPanel &panel, MainPanel::PathLine line, const QString &folder);
};

} // namespace tagloom
