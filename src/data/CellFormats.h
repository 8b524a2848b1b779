// The cell styles of a workbook (XF records, xlsx cellXfs) and the texts they give a cell: what
// the style's number format shows, or the value texts.
#pragma once

#include "CellTextFormatter.h"
#include "CellTexts.h"
#include "NumberFormat.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace tagloom {

class CellFormats
{
public:
    // Far more styles than any workbook has (Excel keeps 64,000), and of the text of format codes
    // (and of the style names an .ods refers to).
    static constexpr qsizetype maxStyles = 1048576;
    static constexpr qint64 maxPatternText = 16777216;
    // For the readers as they collect styles, format codes and the characters of those codes or
    // names: throws WorkbookError::tooManyStyles() past the limits above.
    static void checkCollected(qsizetype styles, qsizetype patterns, qint64 patternText);

    CellFormats() = default;
    // patterns: the format codes by format id, as the workbook writes them; xfFormatIds: the
    // format id of each style, in order.
    CellFormats(const QHash<quint32, QString> &patterns, const std::vector<quint32> &xfFormatIds,
        bool dates1904, CellTexts texts);

    // What a number in style xf shows; nullopt for value texts, General, and where the format
    // cannot show it.
    std::optional<QString> shown(quint32 xf, double value) const;
    // shown(), else the value text: a date and time in a date format, else the number.
    QString number(quint32 xf, double value) const;
    // What a text in style xf shows: a format's text section may add to it.
    QString text(quint32 xf, QString text) const;
    const CellTextFormatter &values() const { return values_; }

    // A pattern with y, m, d, h or s outside quoted text, [...] and backslash escapes.
    static bool isDatePattern(QStringView pattern);

private:
    struct Style
    {
        bool date; // its number's value text is a date
        int format; // in formats_, -1 for General and for value texts
    };

    // An index without an XF record is General: some writers leave the styles out.
    const Style *style(quint32 xf) const { return xf < styles_.size() ? &styles_[xf] : nullptr; }

    std::vector<Style> styles_;
    std::vector<NumberFormat> formats_;
    CellTextFormatter values_;
};

} // namespace tagloom
