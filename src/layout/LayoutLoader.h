// Loads a layout file into the design: the label picture and the workbook it names are read again,
// one field item is created per data column, and the records from line 3 on are applied, then the
// extension block after them. Every failure ends the load silently; whatever was restored before
// it stays. The design's history starts afresh.
#pragma once

#include <QString>
#include <optional>

namespace tagloom {

class Workspace;

// Files given at run time in place of those the layout names (the layout file stays as it is).
struct LayoutFileOverrides
{
    std::optional<QString> picturePath;
    std::optional<QString> dataPath;
};

class LayoutLoader
{
public:
    // True when the whole layout was restored; otherwise `reason` says where the load ended.
    static bool load(Workspace &workspace, const QString &path, QString *reason = nullptr,
        const LayoutFileOverrides &overrides = {});

    // Creates field items 1 .. Cols - 1 of the data table, captioned with their headers and
    // visible, all at the template's place with its font. A canvas that holds field items
    // already is first renewed as a freshly created one, keeping its picture.
    static void createFieldItems(Workspace &workspace);
};

} // namespace tagloom
