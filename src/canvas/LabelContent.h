// What the data table puts on each label: the field items' cells, the free text items' texts with
// their fields filled in, and the texts of the QR code and the barcode, from the chosen columns or
// from the texts with fields the design gives the codes instead. Found once for a print run or a
// preview, then asked label by label.
#pragma once

#include "LabelRow.h"
#include "TextTemplate.h"

#include <optional>
#include <vector>

namespace tagloom {

class DataTable;
class LabelDesign;

class LabelContent
{
public:
    // The codes' columns are 0 for none; `table` may be none, when nothing reads it.
    LabelContent(
        const LabelDesign &design, const DataTable *table, int qrColumn, int barcodeColumn);

    // Finds the fields of every text in the table; false naming the first that is no column.
    bool bind(QString *problem);
    // Whether a text with fields reads a column of the table; whether one counts the labels, so
    // that the labels of one row differ.
    bool readsColumns() const;
    bool countsLabels() const;

    // Whether a column or a text with fields feeds the code.
    bool feedsQrCode() const;
    bool feedsBarcode() const;
    QString qrText(const LabelNumbering &label) const;
    QString barcodeText(const LabelNumbering &label) const;
    // What to name the code's source by in a message: its column's header or its text.
    QString qrSourceName() const;
    QString barcodeSourceName() const;
    // A column by its header, or by its number when the header is empty.
    QString columnName(int column) const { return sourceName(column, {}); }

    // Text item `index` as the table fills it for the label.
    QString textItemText(int index, const LabelNumbering &label) const;
    // One label as the table fills it: a caption for every field item, hidden ones too, the
    // text items' texts and the barcode when something feeds it. The QR code is the caller's to
    // make, from qrText.
    LabelRow row(const LabelNumbering &label) const;

private:
    // A text with fields filled in, or as `written` when its braces do not match.
    QString filledIn(const LabelNumbering &label, const std::optional<TextTemplate> &withFields,
        const QString &written) const;
    // A code's text: its text with fields, or the cell of `column` when it has none.
    QString codeText(const LabelNumbering &label, int column,
        const std::optional<TextTemplate> &withFields, const QString &written) const;
    QString sourceName(int column, const QString &written) const;
    bool anyText(bool (TextTemplate::*test)() const) const;

    const LabelDesign &design_;
    const DataTable *table_;
    int qrColumn_;
    int barcodeColumn_;
    QString problem_; // of the first text whose braces do not match; before the texts it tells of
    std::optional<TextTemplate> qrTemplate_;
    std::optional<TextTemplate> barcodeTemplate_;
    std::vector<std::optional<TextTemplate>> texts_; // none: braces that do not match
};

} // namespace tagloom
