// Puts one field item per data column on the canvas, captioned with its header, in one column; or,
// when the items exist already, shows again every item that was hidden.
#pragma once

namespace tagloom {

class Workspace;

class FieldItemGenerator
{
public:
    static void run(Workspace &workspace);

    static constexpr float fieldFontSize = 10;
};

} // namespace tagloom
