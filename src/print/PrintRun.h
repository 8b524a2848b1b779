// The print run: one label page per data row of the print range, or as many copies of it as asked
// for, one after the other. For each row the field items take the row's cells, the QR code is made
// again through a bitmap file and the barcode takes its cell; the painter draws the design with
// that row as a page. The design itself takes only the last printed row, when the run ends.
// Everything that could spoil the run is checked before the first page, so a refused run prints
// nothing; on a printer that includes codes too small for its dots. The range is checked against
// the table before the confirmation asks to print it.
#pragma once

#include <QString>

namespace tagloom {

class DataTable;
class LabelDesign;
class LabelOutput;
class PrintProgress;
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

private:
    bool readsTable(const LabelDesign &design) const;
    bool checkTable(const DataTable &table, const LabelDesign &design, int first, int last);
    bool checkCodes(const DataTable &table, const LabelDesign &design, int first, int last);
    // Whether every row's codes get modules of at least two printer dots. `dotsPerTwip` is of the
    // design's twips, `scale` the printed twips of one of them.
    bool checkDots(const DataTable &table, const LabelDesign &design, int first, int last,
        double dotsPerTwip, double scale);
    QString columnName(const DataTable &table, int col) const;
    bool makeRow(LabelDesign &design, const DataTable *table, int row, const QString &bitmapPath,
        LabelRow &made, QString *reason);
    Result printRows(LabelDesign &design, const DataTable *table, int first, int last);
    // The pages themselves; `lastPrinted` is the row of the last page that went out.
    Result printPages(
        LabelDesign &design, const DataTable *table, int first, int last, LabelRow &lastPrinted);
    // Ends a run that stopped after `pagesDone` pages: sends them, then says what happened.
    Result endEarly(Outcome outcome, int pagesDone, const QString &what);
    void refuse(const QString &message);

    Workspace &workspace_;
    LabelOutput &output_;
    PrintProgress &progress_;
    int copies_;
    QString message_;
    int qrColumn_ = 0; // data column of the QR code, 0 for none
    int barcodeColumn_ = 0; // data column of the barcode, 0 for none
};

} // namespace tagloom
