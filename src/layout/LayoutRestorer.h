// The second half of loading a layout: the records from line 3 on, found by their line number
// alone from the column count C of the data table just imported. Field items 1 .. C - 1 take lines
// 3 .. C + 1, the QR code image line C + 2, the barcode holder line C + 3 and the source choosers
// lines C + 4 and C + 5.
#pragma once

#include "canvas/Twips.h"

#include <QStringList>
#include <functional>

namespace tagloom {

class LabelDesign;
class SourceChooser;
class Workspace;

class LayoutRestorer
{
public:
    // Applies the records in order, each field as soon as it is read. Stops at the first line
    // missing or field missing, not a number or refused, and returns false; what was set before
    // stays. `lines` holds the whole file, line 1 first.
    static bool restore(Workspace &workspace, const QStringList &lines);

private:
    static bool restoreFieldItem(LabelDesign &design, int index, const QStringList &fields);
    // Top, Left, Width, Height from fields 1 to 4, each handed to `apply` as soon as it is read.
    static bool restoreGeometry(const QStringList &fields, TwipsRect geometry,
        const std::function<void(const TwipsRect &)> &apply);
    static bool restoreChooser(SourceChooser &chooser, const QStringList &fields);
};

} // namespace tagloom
