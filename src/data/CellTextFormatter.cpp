// Turns cell values (numbers, dates, booleans, error codes) into the texts the table shows.
#include "CellTextFormatter.h"

#include "SerialDateTime.h"
#include "WorkbookError.h"

#include <QDate>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace tagloom {

QString CellTextFormatter::number(double value)
{
    char text[32];
    std::to_chars_result end;
    // Whole numbers below 1e15 print all their digits under %.15g; this way is much quicker.
    if (std::trunc(value) == value && std::fabs(value) < 1e15)
        end = std::to_chars(text, text + sizeof text, qint64(value));
    else
        end = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    for (char *c = text; c != end.ptr; ++c) {
        if (*c >= 'a' && *c <= 'z') *c = char(*c - 'a' + 'A');
    }
    return QString::fromLatin1(text, end.ptr - text);
}

namespace {

// Writes value as width decimal digits, with leading zeros, and returns the end.
char *digits(char *out, qint64 value, int width)
{
    for (int i = width - 1; i >= 0; --i, value /= 10)
        out[i] = char('0' + value % 10);
    return out + width;
}

} // namespace

QString CellTextFormatter::date(double serial) const
{
    const std::optional<SerialDateTime> t = SerialDateTime::from(serial, dates1904_);
    if (!t) return number(serial);
    const qint64 second = t->hour * 3600 + t->minute * 60 + t->second;
    if (t->days == 0) return time(second);
    return day(t->year, t->month, t->day) + (second ? u' ' + time(second) : QString());
}

QString CellTextFormatter::day(int year, int month, int day)
{
    char text[10];
    char *end = digits(text, year, 4);
    *end++ = '-';
    end = digits(end, month, 2);
    *end++ = '-';
    end = digits(end, day, 2);
    return QString::fromLatin1(text, end - text);
}

QString CellTextFormatter::date(QDate date, qint64 secondOfDay)
{
    const QString text = day(date.year(), date.month(), date.day());
    return secondOfDay == 0 ? text : text + u' ' + time(secondOfDay);
}

QString CellTextFormatter::time(qint64 seconds)
{
    const qint64 hours = seconds / 3600;
    char text[32];
    char *end = digits(text, hours, hours < 100 ? 2 : int(QByteArray::number(hours).size()));
    *end++ = ':';
    end = digits(end, seconds / 60 % 60, 2);
    *end++ = ':';
    end = digits(end, seconds % 60, 2);
    return QString::fromLatin1(text, end - text);
}

namespace {

// Seconds of an "HH:MM:SS[.fraction]" clock, ignoring a time zone after it.
std::optional<double> clockSeconds(QStringView clock)
{
    const auto zone = std::find_if(
        clock.begin(), clock.end(), [](QChar c) { return c == u'Z' || c == u'+' || c == u'-'; });
    const QList<QStringView> parts = clock.left(zone - clock.begin()).split(u':');
    if (parts.size() != 3) return std::nullopt;
    bool hoursOk = false, minutesOk = false, secondsOk = false;
    const double seconds = parts[0].toInt(&hoursOk) * 3600.0 + parts[1].toInt(&minutesOk) * 60.0
        + parts[2].toDouble(&secondsOk);
    if (!hoursOk || !minutesOk || !secondsOk || !(seconds >= 0 && seconds < 1e6))
        return std::nullopt;
    return seconds;
}

// Seconds of an ISO 8601 duration (PT10H20M30S, -PT1H, P1DT2H), negative for a leading '-'.
std::optional<double> durationSeconds(QStringView text)
{
    const bool negative = text.startsWith(u'-');
    if (negative) text = text.mid(1);
    if (!text.startsWith(u'P')) return std::nullopt;
    double seconds = 0;
    bool inTime = false;
    qsizetype numberStart = 1;
    for (qsizetype i = 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isDigit() || c == u'.') continue;
        if (c == u'T') {
            if (inTime || i != numberStart) return std::nullopt;
            inTime = true;
            numberStart = i + 1;
            continue;
        }
        bool ok = false;
        const double value = text.mid(numberStart, i - numberStart).toDouble(&ok);
        numberStart = i + 1;
        if (!ok) return std::nullopt;
        if (!inTime && c == u'D')
            seconds += value * 86400;
        else if (inTime && c == u'H')
            seconds += value * 3600;
        else if (inTime && c == u'M')
            seconds += value * 60;
        else if (inTime && c == u'S')
            seconds += value;
        else
            return std::nullopt; // years and months have no fixed length
    }
    if (numberStart != text.size() || !(seconds < 1e12)) return std::nullopt;
    return negative ? -seconds : seconds;
}

// A date, a date and time, a time of day or a duration in ISO 8601.
struct IsoValue
{
    enum Kind { Date, Time, Duration } kind;
    QDate day; // of a Date
    double seconds; // the time of day, or the duration
};

std::optional<IsoValue> isoValueOf(QStringView text)
{
    if (const std::optional<double> duration = durationSeconds(text))
        return IsoValue {IsoValue::Duration, {}, *duration};
    const qsizetype t = text.indexOf(u'T');
    const QDate day = QDate::fromString(text.left(t).toString(), Qt::ISODate);
    const std::optional<double> clock = t >= 0 ? clockSeconds(text.mid(t + 1))
        : day.isValid()                        ? 0.0
                                               : clockSeconds(text);
    if (!clock) return std::nullopt;
    if (day.isValid()) return IsoValue {IsoValue::Date, day, *clock};
    if (t < 0) return IsoValue {IsoValue::Time, {}, *clock};
    return std::nullopt;
}

} // namespace

std::optional<QString> CellTextFormatter::isoDate(QStringView text)
{
    const qsizetype t = text.indexOf(u'T');
    QDate day = QDate::fromString(text.left(t).toString(), Qt::ISODate);
    if (!day.isValid()) return std::nullopt;
    qint64 second = 0;
    if (t >= 0) {
        const std::optional<double> seconds = clockSeconds(text.mid(t + 1));
        if (!seconds) return std::nullopt;
        second = std::llround(*seconds);
        day = day.addDays(second / 86400); // a fraction rounded up to midnight
        second %= 86400;
    }
    if (day.year() < 1 || day.year() > 9999) return std::nullopt;
    return date(day, second);
}

std::optional<QString> CellTextFormatter::isoDuration(QStringView text)
{
    const std::optional<double> seconds = durationSeconds(text);
    if (!seconds) return std::nullopt;
    const QString clock = time(std::llround(std::fabs(*seconds)));
    return *seconds < 0 ? u'-' + clock : clock;
}

std::optional<QString> CellTextFormatter::isoValue(QStringView text)
{
    const std::optional<IsoValue> value = isoValueOf(text);
    if (!value) return std::nullopt;
    switch (value->kind) {
    case IsoValue::Date:
        return isoDate(text);
    case IsoValue::Time:
        return time(std::llround(value->seconds));
    case IsoValue::Duration:
        return isoDuration(text);
    }
    return std::nullopt;
}

std::optional<double> CellTextFormatter::isoSerial(QStringView text) const
{
    const std::optional<IsoValue> value = isoValueOf(text);
    if (!value || value->seconds < 0) return std::nullopt;
    const double fraction = value->seconds / 86400;
    if (value->kind != IsoValue::Date) return fraction;
    // Before 1900-03-01 the 1900 system counts from 1899-12-31 (see date()).
    const QDate epoch = dates1904_ ? QDate(1904, 1, 1)
                                   : QDate(1899, 12, value->day < QDate(1900, 3, 1) ? 31 : 30);
    const qint64 days = epoch.daysTo(value->day);
    if (days < 0 || (!dates1904_ && days == 0)) return std::nullopt;
    return double(days) + fraction;
}

QString CellTextFormatter::boolean(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

QString CellTextFormatter::error(quint8 code)
{
    switch (code) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2A:
        return QStringLiteral("#N/A");
    case 0x2B:
        return QStringLiteral("#GETTING_DATA");
    }
    throw WorkbookError::damaged();
}

} // namespace tagloom
