// Reads delimited text as the one sheet.
#include "DelimitedTextReader.h"

#include "DelimitedTextDecoder.h"
#include "SheetBuilder.h"
#include "WorkbookError.h"

#include <QFileInfo>

namespace tagloom {

namespace {

// The first ',', ';' or TAB outside quotes on the first line (each '"' switches between inside
// and outside); none: the text is a single column.
QChar firstLineDelimiter(QStringView text)
{
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'\n' || c == u'\r'))
            break;
        else if (!quoted && (c == u',' || c == u';' || c == u'\t'))
            return c;
    }
    return QChar(); // never met as a delimiter: the text holds no NUL
}

class RecordParser
{
public:
    RecordParser(QStringView text, QChar delimiter)
        : text_(text)
        , delimiter_(delimiter)
    {
    }

    Sheet read()
    {
        for (qint64 row = 0; at_ < text_.size(); ++row) {
            for (qint64 column = 0;; ++column) {
                builder_.setCell(row, column, field());
                if (at_ < text_.size() && text_[at_] == delimiter_) {
                    ++at_;
                    continue;
                }
                endLine();
                break;
            }
        }
        return builder_.build();
    }

private:
    bool atLineEnd() const { return text_[at_] == u'\n' || text_[at_] == u'\r'; }

    void endLine()
    {
        if (at_ < text_.size() && text_[at_] == u'\r') ++at_;
        if (at_ < text_.size() && text_[at_] == u'\n') ++at_;
    }

    // One field, the read position left on the delimiter or line end after it. A field that
    // begins with '"' runs to the next '"' that is not doubled (or to the end of the text) and
    // keeps delimiters and line ends; what follows its closing quote is ordinary text.
    QString field()
    {
        QString text;
        if (at_ < text_.size() && text_[at_] == u'"') {
            for (++at_; at_ < text_.size(); ++at_) {
                const qsizetype quote = text_.indexOf(u'"', at_);
                const qsizetype end = quote < 0 ? text_.size() : quote;
                text += text_.mid(at_, end - at_);
                at_ = end;
                if (quote < 0) break;
                if (at_ + 1 < text_.size() && text_[at_ + 1] == u'"') {
                    text += u'"';
                    ++at_;
                    continue;
                }
                ++at_;
                break;
            }
        }
        const qsizetype start = at_;
        while (at_ < text_.size() && text_[at_] != delimiter_ && !atLineEnd())
            ++at_;
        text += text_.mid(start, at_ - start);
        return text;
    }

    QStringView text_;
    QChar delimiter_;
    qsizetype at_ = 0;
    SheetBuilder builder_;
};

} // namespace

bool DelimitedTextReader::isDelimitedTextName(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    return suffix == u"csv" || suffix == u"tsv" || suffix == u"txt";
}

Sheet DelimitedTextReader::read(const QByteArray &bytes, const QString &fileName)
{
    if (bytes.isEmpty()) throw WorkbookError::emptyFile();
    if (bytes.contains('\0')) throw WorkbookError::binaryText();
    const QString text = DelimitedTextDecoder::decode(bytes);
    const bool tabs = QFileInfo(fileName).suffix().compare(u"tsv", Qt::CaseInsensitive) == 0;
    return RecordParser(text, tabs ? QChar(u'\t') : firstLineDelimiter(text)).read();
}

} // namespace tagloom
