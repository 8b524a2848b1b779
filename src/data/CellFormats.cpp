// The cell styles of a workbook and the texts they give a cell.
#include "CellFormats.h"

#include "WorkbookError.h"

namespace tagloom {

namespace {

// Excel's own date and time formats, and those Chinese Excel adds (yyyy"年"m"月"d"日" and the
// like), which it writes without a FORMAT record.
bool isBuiltInDate(quint32 formatId)
{
    return (formatId >= 14 && formatId <= 22) || (formatId >= 27 && formatId <= 36)
        || (formatId >= 45 && formatId <= 47) || (formatId >= 50 && formatId <= 58);
}

} // namespace

CellFormats::CellFormats(const QHash<quint32, QString> &patterns,
    const std::vector<quint32> &xfFormatIds, bool dates1904, CellTexts texts)
    : values_(dates1904)
{
    QHash<quint32, int> formatOfId; // each format parsed once, however many styles use it
    styles_.reserve(xfFormatIds.size());
    for (const quint32 id : xfFormatIds) {
        // Writers may spell out built-in formats too; what they wrote is what Excel shows.
        const auto pattern = patterns.constFind(id);
        const bool written = pattern != patterns.constEnd();
        Style style {written ? isDatePattern(*pattern) : isBuiltInDate(id), -1};
        if (texts == CellTexts::Shown && id != 0) {
            auto known = formatOfId.constFind(id);
            if (known == formatOfId.constEnd()) {
                formats_.push_back(written ? NumberFormat(*pattern) : NumberFormat::builtIn(id));
                known = formatOfId.insert(id, int(formats_.size()) - 1);
            }
            style.format = *known;
        }
        styles_.push_back(style);
    }
}

std::optional<QString> CellFormats::shown(quint32 xf, double value) const
{
    const Style *s = style(xf);
    if (!s || s->format < 0) return std::nullopt;
    return formats_[std::size_t(s->format)].number(value, values_.dates1904());
}

QString CellFormats::number(quint32 xf, double value) const
{
    if (std::optional<QString> text = shown(xf, value)) return *text;
    const Style *s = style(xf);
    return s && s->date ? values_.date(value) : CellTextFormatter::number(value);
}

QString CellFormats::text(quint32 xf, QString text) const
{
    const Style *s = style(xf);
    if (!s || s->format < 0) return text;
    return formats_[std::size_t(s->format)].text(text).value_or(std::move(text));
}

void CellFormats::checkCollected(qsizetype styles, qsizetype patterns, qint64 patternText)
{
    if (styles > maxStyles || patterns > maxStyles || patternText > maxPatternText)
        throw WorkbookError::tooManyStyles();
}

bool CellFormats::isDatePattern(QStringView pattern)
{
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        switch (pattern[i].toLower().unicode()) {
        case '"':
            i = pattern.indexOf(u'"', i + 1);
            break;
        case '[':
            i = pattern.indexOf(u']', i + 1);
            break;
        case '\\':
            ++i;
            break;
        case 'y':
        case 'm':
        case 'd':
        case 'h':
        case 's':
            return true;
        }
        if (i < 0) return false; // an unclosed quote or bracket runs to the end
    }
    return false;
}

} // namespace tagloom
