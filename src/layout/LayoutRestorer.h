// The second half of loading a layout: the records from line 3 on, found by their line number
// alone from the column count C of the data table just imported. Field items 1 .. C - 1 take lines
// 3 .. C + 1, the QR code image line C + 2, the barcode holder line C + 3 and the source choosers
// lines C + 4 and C + 5.
#pragma once

#include "canvas/Twips.h"

#include <QStringList>
#include <functional>
#include <optional>

namespace tagloom {

class LabelDesign;
class SourceChooser;
class Workspace;

class LayoutRestorer
{
public:
    // Applies the records in order, each field as soon as it is read. Stops at the first line
    // missing or field missing, not a number or refused, and returns false, saying where in
    // `reason`; what was set before stays. `lines` holds the whole file, line 1 first.
    static bool restore(Workspace &workspace, const QStringList &lines, QString *reason = nullptr);

    // The number of lines the records take for a data table of `columns` columns: C + 5.
    static int lineCount(int columns) { return columns + 5; }

private:
    explicit LayoutRestorer(const QStringList &lines)
        : lines_(lines)
    {
    }

    // Makes line n the current one, split at every comma; false past the end of the file.
    bool takeLine(int n);
    bool currentLineEmpty() const { return fields_.size() == 1 && fields_.front().isEmpty(); }
    // Field k of the current line converted by `convert`; nothing when missing or refused.
    template<class T> std::optional<T> field(int k, std::optional<T> (*convert)(const QString &));

    bool restoreAll(Workspace &workspace);
    bool restoreFieldItem(LabelDesign &design, int index);
    // Top, Left, Width, Height from fields 1 to 4, each handed to `apply` as soon as it is read.
    bool restoreGeometry(TwipsRect geometry, const std::function<void(const TwipsRect &)> &apply);
    bool restoreChooser(SourceChooser &chooser);
    // Line 3 on of a layout written by this program holds "label1(i)," for field items 1, 2, ...
    // The load finds records by position alone; only a failure looks at these keywords.
    int fieldLinesWritten() const;
    QString failure(Workspace &workspace) const;

    const QStringList &lines_;
    int line_ = 0;
    int field_ = 0; // the field being read, 0 while none
    QStringList fields_;
};

} // namespace tagloom
