// A text that mixes fixed words with fields filled in for every label: "¥{价格}",
// "批号 {货号}-{序号:000}", "生产日期：{日期:yyyy-MM-dd}". A field is a column of the data table
// named by its header as the data window shows it; failing that, one of the label's own numbers:
// {序号} counts the labels of a print run (start, step and zero-padded width: {序号:0001},
// {序号:0100+5}), {日期} and {时间} are the run's date and time in a format of Qt's date and time
// patterns ({日期:yyyy年M月d日}), {行号} is the data row. "{{" and "}}" stand for the braces
// themselves. A text without fields shows as it is.
#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace tagloom {

class DataTable;

// Which label of a print run a text is filled in for.
struct LabelNumbering
{
    int row = 1; // the data row
    qint64 label = 0; // the labels of the run before this one
    QDateTime time; // when the run began
};

class TextTemplate
{
public:
    // The text's fixed words and fields; nothing, saying why in `problem`, when a brace is
    // unmatched.
    static std::optional<TextTemplate> parse(const QString &text, QString *problem);

    // Finds what each field stands for in `table` (none: no column at all); false naming the
    // first field that is no column and none of the label's numbers, or whose format is none.
    // Such fields stay as they are written.
    bool bind(const DataTable *table, QString *problem);
    // Whether a field was found to be a column, or the counter that differs from label to label.
    bool readsColumns() const;
    bool countsLabels() const;

    // The text of one label, from the table it was bound to: every field found filled in, the
    // others as written.
    QString expand(const DataTable *table, const LabelNumbering &numbering) const;

private:
    struct Part
    {
        enum class Kind { Words, Unbound, Column, Counter, Date, Time, Row };
        Part(Kind partKind, QString partText)
            : kind(partKind)
            , text(std::move(partText))
        {
        }
        Kind kind;
        QString text; // the words, or the field as written between the braces
        QString format; // of a date or time
        int column = 0;
        qint64 start = 1;
        qint64 step = 1;
        int width = 0; // digits a counter is padded to with zeros
    };

    bool bindField(Part &part, const DataTable *table, QString *problem) const;

    QString text_;
    std::vector<Part> parts_;
};

} // namespace tagloom
