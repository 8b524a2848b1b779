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
//     label1(1).width=2400                the width the item was given in twips, when given,
//     label1(1).fit=shrink                its text wrapped or shrunk first (wrap, shrink),
//     label1(1).smallest=6                down to this many points
//     ...                                 the same entries for every field item
//     text(1).text=¥{价格}                 the text items in order: their text with fields,
//     text(1).left=300                    place in twips and size in points, then the entries
//     text(1).top=1200                    of a field item
//     text(1).size=14
//     text(1).font=WenQuanYi Micro Hei
//     ...
//     Image1.visible=1
//     Image1.template=https://shop.example.cn/p/{货号}   a code's text with fields, when it has one
//     Picture2.template={条码}
//     Picture1.width=101.60               the label's physical size in millimetres, when set
//     Picture1.height=152.40
//     Image1.level=M                      the QR code's error correction level
//     Picture2.type=ean13                 the barcode's type
//     Picture1.print=0                    when the label picture does not print
//     Print.quantityColumn=份数           the header of the quantity column, when one is chosen
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
class MainPanel;

class LayoutExtension
{
public:
    // The block's lines for the design and the panel's print choices, first and last line
    // included.
    static QStringList lines(const LabelDesign &design, const MainPanel &panel);

    // The number (from 1) of the block's first line in `lines`, wherever it stands; one past
    // the last line when there is none.
    static int start(const QStringList &lines);

    // Takes from the design and the panel what only a block gives them (text items, texts with
    // fields for the codes, the codes' level and type, a label picture that does not print, a
    // quantity column), so that a layout without a block loads as it always did.
    static void reset(LabelDesign &design, MainPanel &panel);

    // Applies the block that starts at line `first` (from 1) of `lines`; a file without one there
    // changes nothing. The block is applied whole or, when it is damaged or cut short, not at
    // all: then false, saying why in `reason`.
    static bool apply(LabelDesign &design, MainPanel &panel, const QStringList &lines, int first,
        QString *reason = nullptr);
};

} // namespace tagloom
