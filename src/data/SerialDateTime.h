// A workbook's date and time serial number (whole days since the epoch of its date system, the
// time of day as the fraction) taken apart into the calendar and the clock a spreadsheet shows.
#pragma once

#include <QtGlobal>
#include <optional>

namespace tagloom {

struct SerialDateTime
{
    // Rounded to the nearest 10^-secondDecimals second (0 to 3 decimals). The time of day comes
    // from the fraction alone, so a large serial loses nothing of it: 44927.000005787035 is
    // 0.49999 s after midnight. nullopt for a negative serial or one past 9999-12-31.
    static std::optional<SerialDateTime> from(
        double serial, bool dates1904, int secondDecimals = 0);

    qint64 days; // whole days since the epoch, after rounding
    // Excel's calendar: in the 1900 system day 0 is 1900-01-00 and day 60 is 1900-02-29.
    int year;
    int month;
    int day;
    int weekday; // 0 for Sunday to 6 for Saturday, as Excel counts them
    int hour;
    int minute;
    int second;
    int subsecond; // in units of 10^-secondDecimals second
};

} // namespace tagloom
