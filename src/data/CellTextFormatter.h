// Turns cell values (numbers, dates, booleans, error codes) into the texts the table shows.
#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace tagloom {

class CellTextFormatter
{
public:
    explicit CellTextFormatter(bool dates1904 = false)
        : dates1904_(dates1904)
    {
    }

    // As C printf "%.15g" with an upper-case E.
    static QString number(double value);
    // A date and time serial number, its time of day rounded to the nearest second: HH:MM:SS below
    // one day, YYYY-MM-DD without a time of day, YYYY-MM-DD HH:MM:SS otherwise. A negative serial
    // or one past the year 9999 has no such text and is shown as a number.
    QString date(double serial) const;
    // YYYY-MM-DD, followed by HH:MM:SS when the second of the day is not 0.
    static QString date(QDate date, qint64 secondOfDay);
    // HH:MM:SS, with more digits for the hours when there are 100 or more.
    static QString time(qint64 seconds);
    // An ISO 8601 date with or without a time of day (2024-03-05T13:45:30.6) as date(QDate, ...),
    // rounded to the nearest second; nullopt for any other text.
    static std::optional<QString> isoDate(QStringView text);
    // An ISO 8601 duration (PT10H20M30S, -PT1H) as time(), rounded to the nearest second;
    // nullopt for any other text.
    static std::optional<QString> isoDuration(QStringView text);
    // A date cell of a strict Open XML workbook: an ISO 8601 date or date and time as isoDate(),
    // a time of day (10:59:59.9999) as time(), a duration (PT24H0M0.000S) as isoDuration();
    // nullopt for any other text.
    static std::optional<QString> isoValue(QStringView text);
    // The same as a serial number of this date system; nullopt also before its epoch.
    std::optional<double> isoSerial(QStringView text) const;
    static QString boolean(bool value);
    bool dates1904() const { return dates1904_; }
    // Throws WorkbookError::damaged() for a code Excel does not have.
    static QString error(quint8 code);

private:
    // YYYY-MM-DD
    static QString day(int year, int month, int day);

    bool dates1904_;
};

} // namespace tagloom
