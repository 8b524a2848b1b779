// Reads delimited text as the one sheet, a piece of its text at a time.
#include "DelimitedTextReader.h"

#include "DelimitedTextDecoder.h"
#include "SheetBuilder.h"

#include <QFileInfo>

namespace tagloom {

namespace {

// The first ',', ';' or TAB outside quotes on the first line (each '"' switches between inside
// and outside); none: the text is a single column.
class FirstLineDelimiter
{
public:
    explicit FirstLineDelimiter(QChar delimiter)
        : delimiter_(delimiter)
        , decided_(!delimiter.isNull())
    {
    }

    // Looks at the next piece of the text; true once the delimiter is known.
    bool look(QStringView text)
    {
        for (const QChar c : text) {
            if (decided_) break;
            if (c == u'"') {
                quoted_ = !quoted_;
            } else if (!quoted_ && (c == u'\n' || c == u'\r')) {
                decided_ = true;
            } else if (!quoted_ && (c == u',' || c == u';' || c == u'\t')) {
                delimiter_ = c;
                decided_ = true;
            }
        }
        return decided_;
    }

    // QChar() for none, never met as a delimiter: the text holds no NUL.
    QChar delimiter() const { return delimiter_; }

private:
    QChar delimiter_;
    bool decided_;
    bool quoted_ = false;
};

// The records of the text, fed a piece at a time, however the pieces cut it. A field that
// begins with '"' runs to the next '"' that is not doubled (or to the end of the text) and keeps
// delimiters and line ends; what follows its closing quote is ordinary text. LF, CR LF and a
// lone CR end a record.
class RecordParser
{
public:
    explicit RecordParser(QChar delimiter)
        : delimiter_(delimiter)
    {
    }

    void feed(QStringView text)
    {
        for (qsizetype at = 0; at < text.size();) {
            switch (state_) {
            case State::FieldStart:
                if (text[at] == u'"') {
                    ++at;
                    state_ = State::Quoted;
                } else {
                    state_ = State::Plain;
                }
                break;
            case State::Quoted: {
                const qsizetype quote = text.indexOf(u'"', at);
                append(text.sliced(at, (quote < 0 ? text.size() : quote) - at));
                if (quote < 0) return;
                at = quote + 1;
                state_ = State::Quote;
                break;
            }
            case State::Quote: // a doubled quote, or the closing one
                if (text[at] == u'"') {
                    append(u"\"");
                    ++at;
                    state_ = State::Quoted;
                } else {
                    state_ = State::Plain;
                }
                break;
            case State::Plain: {
                qsizetype end = at;
                while (end < text.size() && text[end] != delimiter_ && text[end] != u'\n'
                    && text[end] != u'\r')
                    ++end;
                append(text.sliced(at, end - at));
                if (end == text.size()) return;
                endField();
                if (text[end] == delimiter_) {
                    ++column_;
                    state_ = State::FieldStart;
                } else {
                    ++row_;
                    column_ = 0;
                    state_ = text[end] == u'\r' ? State::AfterCr : State::FieldStart;
                }
                at = end + 1;
                break;
            }
            case State::AfterCr:
                if (text[at] == u'\n') ++at;
                state_ = State::FieldStart;
                break;
            }
        }
    }

    Sheet finish()
    {
        endField();
        return builder_.build();
    }

private:
    enum class State { FieldStart, Quoted, Quote, Plain, AfterCr };

    void append(QStringView text)
    {
        SheetBuilder::checkCellLength(field_.size() + text.size());
        field_ += text;
    }

    void endField() { builder_.setCell(row_, column_, std::exchange(field_, QString())); }

    QChar delimiter_;
    State state_ = State::FieldStart;
    QString field_;
    qint64 row_ = 0;
    qint64 column_ = 0;
    SheetBuilder builder_;
};

} // namespace

bool DelimitedTextReader::isDelimitedTextName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == u"csv" || suffix == u"tsv" || suffix == u"txt";
}

Sheet DelimitedTextReader::read(QIODevice &device, const QString &fileName)
{
    const bool tabs = QFileInfo(fileName).suffix().compare(u"tsv", Qt::CaseInsensitive) == 0;
    FirstLineDelimiter first(tabs ? QChar(u'\t') : QChar());
    const DelimitedTextDecoder decoder(
        device, [&first](QStringView text) { return first.look(text); });
    RecordParser records(first.delimiter());
    decoder.decode(device, [&records](QStringView text) { records.feed(text); });
    return records.finish();
}

} // namespace tagloom
