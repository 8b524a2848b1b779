// Where a printer's bytes go, a page at a time: a page's bytes go out whole or the page counts as
// not sent.
#pragma once

#include <QByteArray>
#include <QString>

namespace tagloom {

class PrinterConnection
{
public:
    virtual ~PrinterConnection() = default;

    // Opens the way to the printer; false with a reason when it is not there.
    virtual bool open(QString *reason) = 0;
    // Sends one page's bytes, which print `labels` labels; false with a reason when the printer
    // does not take them, after which nothing more is sent.
    virtual bool send(const QByteArray &page, int labels, QString *reason) = 0;
    // Ends the job once the printer has everything; false with a reason when it did not take it.
    virtual bool close(QString *reason) = 0;
    // The labels of the pages the printer has taken whole.
    virtual int labelsSent() const = 0;
};

} // namespace tagloom
