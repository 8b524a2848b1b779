// Bytes to a printer that has no driver: a device file (/dev/usb/lp0) or the raw port of a
// printer on the network (host:9100). Every wait is bounded: a printer that takes nothing for a
// while ends the job with a reason, never hangs the run. A page counts as sent once its last byte
// has left, on the network once the printer has acknowledged it.
#pragma once

#include "PrinterConnection.h"

#include <chrono>
#include <optional>
#include <utility>
#include <vector>

namespace tagloom {

class DeviceConnection : public PrinterConnection
{
public:
    static constexpr std::chrono::milliseconds connectTimeout {5000};
    // Long enough for a printer with a full buffer to print a long label.
    static constexpr std::chrono::milliseconds stallTimeout {20000};

    // `address` is a path, or HOST:PORT for the network ([ADDRESS]:PORT for IPv6).
    explicit DeviceConnection(
        const QString &address, std::chrono::milliseconds stall = stallTimeout);
    ~DeviceConnection() override;
    DeviceConnection(const DeviceConnection &) = delete;
    DeviceConnection &operator=(const DeviceConnection &) = delete;

    bool open(QString *reason) override;
    bool send(const QByteArray &page, int labels, QString *reason) override;
    bool close(QString *reason) override;
    int labelsSent() const override { return labelsConfirmed_; }

    // The host and port of a network address; nothing for a path.
    static std::optional<std::pair<QString, QString>> hostAndPort(const QString &address);

private:
    bool connectToHost(const QString &host, const QString &port, QString *reason);
    bool openDevice(QString *reason);
    // Waits until the printer takes more; false with a reason when it does not in time.
    bool waitForRoom(QString *reason);
    // Counts the pages whose bytes the printer has taken.
    void confirm();
    bool fail(const QString &what, QString *reason);

    QString address_;
    std::chrono::milliseconds stall_;
    int descriptor_ = -1;
    bool network_ = false;
    bool failed_ = false;
    qint64 written_ = 0;
    std::vector<std::pair<qint64, int>> unconfirmed_; // where each page ends, and its labels
    int labelsConfirmed_ = 0;
};

} // namespace tagloom
