// Which cell styles (XF records) show numbers as dates or times.
#include "CellFormats.h"

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

CellFormats::CellFormats(
    const QHash<quint32, QString> &patterns, const std::vector<quint32> &xfFormatIds)
{
    dateXfs_.reserve(xfFormatIds.size());
    for (const quint32 id : xfFormatIds) {
        // Writers may spell out built-in formats too; what they wrote is what Excel shows.
        const auto pattern = patterns.constFind(id);
        dateXfs_.push_back(
            pattern != patterns.constEnd() ? isDatePattern(*pattern) : isBuiltInDate(id));
    }
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
