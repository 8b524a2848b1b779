// Turns cell values (numbers, dates, booleans, error codes) into the texts the table shows.
#include "CellTextFormatter.h"

#include "WorkbookError.h"

#include <QDate>
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
    constexpr qint64 secondsPerDay = 86400;
    // Bounds the conversion below; larger serials are past the year 9999 anyway.
    if (!(serial >= 0 && serial < 1e7)) return number(serial);
    const qint64 seconds = std::llround(serial * double(secondsPerDay));
    const qint64 days = seconds / secondsPerDay;
    const qint64 second = seconds % secondsPerDay;
    char text[20];
    char *end = text;
    if (days > 0) {
        int year = 1900, month = 2, day = 29; // serial 60 of the 1900 system, a day only Excel has
        if (dates1904_ || days != 60) {
            // Before that day the 1900 system counts from 1899-12-31, after it from 1899-12-30.
            const QDate epoch
                = dates1904_ ? QDate(1904, 1, 1) : QDate(1899, 12, days < 60 ? 31 : 30);
            const QDate date = epoch.addDays(days);
            if (date.year() > 9999) return number(serial);
            date.getDate(&year, &month, &day);
        }
        end = digits(end, year, 4);
        *end++ = '-';
        end = digits(end, month, 2);
        *end++ = '-';
        end = digits(end, day, 2);
        if (second == 0) return QString::fromLatin1(text, end - text);
        *end++ = ' ';
    }
    end = digits(end, second / 3600, 2);
    *end++ = ':';
    end = digits(end, second / 60 % 60, 2);
    *end++ = ':';
    end = digits(end, second % 60, 2);
    return QString::fromLatin1(text, end - text);
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
