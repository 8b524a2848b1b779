// Turns cell values (numbers, dates, booleans, error codes) into the texts the table shows.
#pragma once

#include <QString>
#include <QtGlobal>

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
    // A date and time serial number, rounded to the nearest second: HH:MM:SS below one day,
    // YYYY-MM-DD without a time of day, YYYY-MM-DD HH:MM:SS otherwise. A negative serial or one
    // past the year 9999 has no such text and is shown as a number.
    QString date(double serial) const;
    static QString boolean(bool value);
    // Throws WorkbookError::damaged() for a code Excel does not have.
    static QString error(quint8 code);

private:
    bool dates1904_;
};

} // namespace tagloom
