// Texts as an .xlsx stores them: rich text runs, phonetic runs and _xHHHH_ escapes.
#include "XlsxText.h"

#include "SheetBuilder.h"
#include "XmlPart.h"

namespace tagloom::XlsxText {

QString richText(XmlPart &part)
{
    const QXmlStreamReader &xml = part.xml();
    QString text;
    for (int depth = 1; depth > 0 && !xml.atEnd();) {
        switch (part.readNext()) {
        case QXmlStreamReader::StartElement:
            if (xml.name() == u"rPh") {
                part.skipCurrentElement();
            } else if (xml.name() == u"t") {
                const QString run = part.readElementText();
                SheetBuilder::checkCellLength(text.size() + run.size());
                text += run;
            } else {
                ++depth;
            }
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    return unescaped(std::move(text));
}

namespace {

int hexDigit(QChar c)
{
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    return -1;
}

// The character of an escape starting at text[at], or -1 when none starts there.
int escapedCharacter(const QString &text, qsizetype at)
{
    if (at + 7 > text.size() || text[at + 1] != u'x' || text[at + 6] != u'_') return -1;
    int code = 0;
    for (qsizetype i = at + 2; i < at + 6; ++i) {
        const int digit = hexDigit(text[i]);
        if (digit < 0) return -1;
        code = code * 16 + digit;
    }
    return code;
}

} // namespace

QString unescaped(QString text)
{
    qsizetype at = text.indexOf(QLatin1String("_x"));
    if (at < 0) return text;
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (; at >= 0; at = text.indexOf(QLatin1String("_x"), at)) {
        const int code = escapedCharacter(text, at);
        if (code < 0) {
            ++at;
            continue;
        }
        out += QStringView(text).mid(copied, at - copied);
        out += QChar(char16_t(code));
        at += 7;
        copied = at;
    }
    out += QStringView(text).mid(copied);
    return out;
}

} // namespace tagloom::XlsxText
