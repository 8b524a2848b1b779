// Puts one field item per data column on the canvas, captioned with its header, in one column; or,
// when the items exist already, shows again every item that was hidden.
#pragma once

namespace tagloom {

class DataTable;
class LabelDesign;
class Workspace;

class FieldItemGenerator
{
public:
    // The generate command, as one step of the design's history.
    static void run(Workspace &workspace);

    // Where new field items go: stacked in one column in the generate command's font size, or at
    // the template's place with its font, as layout loading wants them before its records.
    enum class Placement { InOneColumn, AtTemplate };
    // Creates field items 1 .. Cols - 1 of the table, captioned with their headers and visible.
    static void createItems(LabelDesign &design, const DataTable &table, Placement placement);

    static constexpr float fieldFontSize = 10;
};

} // namespace tagloom
