// The extension block of a layout file: what the positional lines cannot hold, written after them.
// Readers of the positional lines read the lines after them and use none, so a file with the block
// loads there as before, and here as it was designed:
//
//     [Tagloom 1]
//     label1(1).font=WenQuanYi Micro Hei
//     label1(1).bold=1
//     label1(1).italic=0
//     label1(1).underline=0
//     label1(1).strikeout=0
//     label1(1).color=#c00000
//     label1(1).hidden=0
//     ...                                 the same seven entries for every field item
//     Image1.visible=1
//     Picture1.width=101.60               the label's physical size in millimetres, when set
//     Picture1.height=152.40
//     Image1.level=M                      the QR code's error correction level
//     Picture2.type=ean13                 the barcode's type
//     [Tagloom end]
//
// One entry a line, item.attribute=value, the item named by its keyword of the positional lines.
// Values stand as they are but for "%", "," and control characters, written %XX. The records end
// where the block begins, so none of its lines is taken for one here; and since no line of it
// holds a comma, a reader that does take one for a record finds no field 1 in it.
// A reader skips the entries it does not know, so the block grows by new entries; a block that
// older readers must not apply would get another number in its first line, and they skip it.
#pragma once

#include <QStringList>

namespace tagloom {

class LabelDesign;

class LayoutExtension
{
public:
    // The block's lines for the design, first and last line included.
    static QStringList lines(const LabelDesign &design);

    // The number (from 1) of the block's first line in `lines`, wherever it stands; one past
    // the last line when there is none.
    static int start(const QStringList &lines);

    // Applies the block that starts at line `first` (from 1) of `lines`; a file without one there
    // changes nothing. The block is applied whole or, when it is damaged or cut short, not at
    // all: then false, saying why in `reason`.
    static bool apply(
        LabelDesign &design, const QStringList &lines, int first, QString *reason = nullptr);
};

} // namespace tagloom
