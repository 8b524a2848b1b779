// A workbook's date and time serial number taken apart into calendar and clock.
#include "SerialDateTime.h"

#include <QDate>
#include <cmath>

namespace tagloom {

std::optional<SerialDateTime> SerialDateTime::from(
    double serial, bool dates1904, int secondDecimals)
{
    constexpr qint64 lastDay1900 = 2958465; // 9999-12-31
    constexpr qint64 epochGap = 1462; // days from 1900-01-00 to 1904-01-01
    const qint64 lastDay = dates1904 ? lastDay1900 - epochGap : lastDay1900;
    if (!(serial >= 0 && serial < double(lastDay + 1))) return std::nullopt;
    qint64 unitsPerSecond = 1;
    for (int i = 0; i < secondDecimals; ++i)
        unitsPerSecond *= 10;
    const qint64 unitsPerDay = 86400 * unitsPerSecond;
    const double whole = std::floor(serial);
    qint64 days = qint64(whole);
    // serial - whole is exact: the fraction keeps every bit it has.
    qint64 units = std::llround((serial - whole) * double(unitsPerDay));
    if (units >= unitsPerDay) {
        ++days;
        units -= unitsPerDay;
    }
    if (days > lastDay) return std::nullopt;

    SerialDateTime t {};
    t.days = days;
    if (!dates1904 && days == 0) {
        t.year = 1900, t.month = 1, t.day = 0;
    } else if (!dates1904 && days == 60) { // a day only Excel's 1900 system has
        t.year = 1900, t.month = 2, t.day = 29;
    } else {
        // Before that day the 1900 system counts from 1899-12-31, after it from 1899-12-30.
        const QDate epoch = dates1904 ? QDate(1904, 1, 1) : QDate(1899, 12, days < 60 ? 31 : 30);
        const QDate date = epoch.addDays(days);
        t.year = date.year(), t.month = date.month(), t.day = date.day();
    }
    // 1900-01-00 counts as a Saturday, 1904-01-01 was a Friday.
    t.weekday = int((days + (dates1904 ? 5 : 6)) % 7);
    const qint64 seconds = units / unitsPerSecond;
    t.hour = int(seconds / 3600);
    t.minute = int(seconds / 60 % 60);
    t.second = int(seconds % 60);
    t.subsecond = int(units % unitsPerSecond);
    return t;
}

} // namespace tagloom
