// The print run: one label page per data row of the print range, or as many labels as the row's
// cell in the quantity column asks for, each in as many copies as asked for, one after the other.
// For each label the field items take the row's cells, the text items their texts with the
// row's fields, the label's number and the run's date filled in, the QR code is made again
// through a bitmap file and the barcode takes its text (on a second thread, ahead of the pages);
// the painter draws the design with that label as a page. The design itself takes only the last
// printed row, when the run ends.
// Everything that could spoil the run is checked before the first page, so a refused run prints
// nothing; on a printer that includes codes too small for its dots. The range is checked against
// the table before the confirmation asks to print it.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace tagloom {

class DataTable;
class LabelContent;
class LabelDesign;
class LabelOutput;
class LabelQuantities;
class PrintProgress;
struct LabelNumbering;
struct LabelRow;
class Workspace;

class PrintRun
{
public:
    enum class Outcome {
        Printed, // every row of the range (possibly none) went out
        Declined, // the user said no at the confirmation
        Refused, // a check failed: nothing was printed
        Cancelled, // the user stopped it; the pages done so far were sent
        Failed, // the output or the bitmap failed; the pages done so far were sent
    };
    struct Result
    {
        Outcome outcome;
        int pagesSent = 0;
        QString message; // what the user was told when the run did not print in full
    };

    static constexpr int mostCopies = 999;

    // `copies` of each label, from 1 to mostCopies.
    PrintRun(Workspace &workspace, LabelOutput &output, PrintProgress &progress, int copies = 1);

    Result run();
    // The texts cut at the label's edge that the run warned of before the first page; empty when
    // it warned of none.
    const QString &warning() const { return warning_; }

private:
    bool readsTable(const LabelDesign &design, const LabelContent &content) const;
    // Whether the range lies in a table that holds a sheet.
    bool checkRange(const DataTable &table, int first, int last);
    bool checkTable(const DataTable &table, const LabelDesign &design, int first, int last);
    // The quantity column's counts for the range, when one is chosen; nothing when refused.
    std::optional<LabelQuantities> readQuantities(int first, int last);
    // Calls `label` for the labels of the rows `first` to `last` in order, copies not counted,
    // until it returns false; false then.
    // `everyLabel` false: only the first label of each row, the rows' labels all alike.
    bool forEachLabel(int first, int last, const LabelQuantities &quantities, bool everyLabel,
        const std::function<bool(const LabelNumbering &)> &label) const;
    bool checkCodes(const LabelContent &content, const LabelDesign &design, int first, int last,
        const LabelQuantities &quantities);
    // Names the texts that would run past the label and asks whether to print anyway.
    bool mayCutTexts(const DataTable &table, const LabelContent &content, const LabelDesign &design,
        int first, int last);
    // Whether every label's codes get modules of at least two printer dots. `dotsPerTwip` is of
    // the design's twips, `scale` the printed twips of one of them.
    bool checkDots(const LabelContent &content, const LabelDesign &design, int first, int last,
        const LabelQuantities &quantities, double dotsPerTwip, double scale);
    Result printRows(LabelDesign &design, const LabelContent &content, int first, int last,
        const LabelQuantities &quantities);
    // The pages themselves; `lastPrinted` is the label of the last page that went out,
    // `lastMade` the last label made for a page, whether or not it went out.
    Result printPages(LabelDesign &design, const LabelContent &content, int first, int last,
        const LabelQuantities &quantities, LabelRow &lastPrinted,
        std::optional<LabelNumbering> &lastMade);
    // Ends a run that stopped after `pagesDone` pages: sends them, then says what happened.
    Result endEarly(Outcome outcome, int pagesDone, const QString &what);
    void refuse(const QString &message);

    Workspace &workspace_;
    LabelOutput &output_;
    PrintProgress &progress_;
    int copies_;
    QString message_;
    QString warning_;
    int qrColumn_ = 0; // data column of the QR code, 0 for none
    int barcodeColumn_ = 0; // data column of the barcode, 0 for none
    QDateTime time_; // when the run began: the labels' date and time
};

} // namespace tagloom
