// Reading a text's fields, finding their columns and filling them in for a label.
#include "TextTemplate.h"

#include "data/DataTable.h"

#include <QLocale>
#include <QRegularExpression>

namespace tagloom {

namespace {

const QString counterName = QStringLiteral("序号");
const QString dateName = QStringLiteral("日期");
const QString timeName = QStringLiteral("时间");
const QString rowName = QStringLiteral("行号");

// Dates and times as a Chinese reader writes them: month and day names in Chinese.
const QLocale &chineseLocale()
{
    static const QLocale locale(QLocale::Chinese, QLocale::China);
    return locale;
}

} // namespace

std::optional<TextTemplate> TextTemplate::parse(const QString &text, QString *problem)
{
    TextTemplate made;
    made.text_ = text;
    QString words;
    const auto unmatched = [&](qsizetype at) {
        *problem = QStringLiteral("“%1”第%2个字符的花括号不成对：字段写作{列名}，"
                                  "花括号本身写作{{和}}")
                       .arg(text)
                       .arg(at + 1);
        return std::nullopt;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if (c == QLatin1Char('}')) {
            if (!doubled) return unmatched(i);
            words += c;
            ++i;
        } else if (c == QLatin1Char('{')) {
            if (doubled) {
                words += c;
                ++i;
                continue;
            }
            const qsizetype close = text.indexOf(QLatin1Char('}'), i + 1);
            const qsizetype open = text.indexOf(QLatin1Char('{'), i + 1);
            if (close < 0 || (open >= 0 && open < close)) return unmatched(i);
            if (!words.isEmpty())
                made.parts_.emplace_back(Part::Kind::Words, std::exchange(words, {}));
            made.parts_.emplace_back(Part::Kind::Unbound, text.mid(i + 1, close - i - 1));
            i = close;
        } else {
            words += c;
        }
    }
    if (!words.isEmpty()) made.parts_.emplace_back(Part::Kind::Words, words);
    return made;
}

bool TextTemplate::bind(const DataTable *table, QString *problem)
{
    bool bound = true;
    for (Part &part : parts_) {
        if (part.kind == Part::Kind::Words) continue;
        part.kind = Part::Kind::Unbound;
        // Only the first problem is told.
        QString why;
        if (!bindField(part, table, &why) && std::exchange(bound, false)) *problem = why;
    }
    return bound;
}

bool TextTemplate::readsColumns() const
{
    return std::any_of(parts_.begin(), parts_.end(),
        [](const Part &part) { return part.kind == Part::Kind::Column; });
}

bool TextTemplate::countsLabels() const
{
    return std::any_of(parts_.begin(), parts_.end(),
        [](const Part &part) { return part.kind == Part::Kind::Counter; });
}

bool TextTemplate::bindField(Part &part, const DataTable *table, QString *problem) const
{
    // A column's header as a whole comes first, so that a sheet's own "日期" column is that column.
    for (int col = 1; table && col < table->cols(); ++col) {
        if (table->cell(0, col) == part.text) {
            part.kind = Part::Kind::Column;
            part.column = col;
            return true;
        }
    }
    const qsizetype colon = part.text.indexOf(QLatin1Char(':'));
    const QString name = part.text.first(colon < 0 ? part.text.size() : colon);
    const QString format = colon < 0 ? QString() : part.text.sliced(colon + 1);
    const auto refuse = [&](const QString &why) {
        part.kind = Part::Kind::Unbound;
        *problem = QStringLiteral("“%1”中的{%2}%3").arg(text_, part.text, why);
        return false;
    };
    if (name == dateName || name == timeName) {
        part.kind = name == dateName ? Part::Kind::Date : Part::Kind::Time;
        part.format = !format.isEmpty() ? format
            : name == dateName          ? QStringLiteral("yyyy-MM-dd")
                                        : QStringLiteral("HH:mm");
        return true;
    }
    if (name == rowName) {
        if (colon >= 0) return refuse(QStringLiteral("不带格式，写作{行号}"));
        part.kind = Part::Kind::Row;
        return true;
    }
    if (name == counterName) {
        // Nine digits at most for the start and the step, so no run counts past what a number
        // holds.
        static const QRegularExpression counter(
            QStringLiteral("^([0-9]{1,9})(?:\\+([0-9]{1,9}))?$"));
        const QRegularExpressionMatch match = counter.match(format);
        if (colon >= 0 && !match.hasMatch())
            return refuse(QStringLiteral("写法不对：序号写作{序号}、{序号:0001}（起始值和位数）"
                                         "或{序号:0001+2}（再加上每张的增量）"));
        part.kind = Part::Kind::Counter;
        part.start = colon < 0 ? 1 : match.captured(1).toLongLong();
        part.width = colon < 0 ? 0 : static_cast<int>(match.captured(1).size());
        part.step = match.hasCaptured(2) ? match.captured(2).toLongLong() : 1;
        if (part.step < 1) return refuse(QStringLiteral("的增量至少是1"));
        return true;
    }
    return refuse(QStringLiteral("在数据表中没有对应的列"));
}

QString TextTemplate::expand(const DataTable *table, const LabelNumbering &numbering) const
{
    QString text;
    for (const Part &part : parts_) {
        switch (part.kind) {
        case Part::Kind::Words:
            text += part.text;
            break;
        case Part::Kind::Unbound:
            text += QLatin1Char('{') + part.text + QLatin1Char('}');
            break;
        case Part::Kind::Column:
            if (table && table->contains(numbering.row, part.column))
                text += table->cell(numbering.row, part.column);
            break;
        case Part::Kind::Counter:
            text += QString::number(part.start + part.step * numbering.label)
                        .rightJustified(part.width, QLatin1Char('0'));
            break;
        case Part::Kind::Date:
        case Part::Kind::Time:
            text += chineseLocale().toString(numbering.time, part.format);
            break;
        case Part::Kind::Row:
            text += QString::number(numbering.row);
            break;
        }
    }
    return text;
}

} // namespace tagloom
