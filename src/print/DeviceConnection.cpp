// A printer's device file or raw network port, through non-blocking descriptors and poll().
#include "DeviceConnection.h"

#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <linux/sockios.h>
#include <netdb.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tagloom {

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}

// A write to a pipe whose reader has gone raises SIGPIPE, which would end the program: it is held
// back while writing and taken away again, and the write fails with EPIPE instead.
class SigpipeHeld
{
public:
    SigpipeHeld()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe, &before_);
    }
    ~SigpipeHeld()
    {
        sigset_t pipe;
        sigemptyset(&pipe);
        sigaddset(&pipe, SIGPIPE);
        const timespec now {};
        while (sigtimedwait(&pipe, nullptr, &now) > 0) { }
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
    SigpipeHeld(const SigpipeHeld &) = delete;
    SigpipeHeld &operator=(const SigpipeHeld &) = delete;

private:
    sigset_t before_;
};

} // namespace

DeviceConnection::DeviceConnection(const QString &address, std::chrono::milliseconds stall)
    : address_(address)
    , stall_(stall)
{
}

DeviceConnection::~DeviceConnection()
{
    if (descriptor_ >= 0) ::close(descriptor_);
}

std::optional<std::pair<QString, QString>> DeviceConnection::hostAndPort(const QString &address)
{
    static const QRegularExpression network(
        QStringLiteral("^(?:\\[([0-9A-Fa-f:.]+)\\]|([^/:\\[\\]]+)):(\\d{1,5})$"));
    const QRegularExpressionMatch match = network.match(address);
    if (!match.hasMatch()) return std::nullopt;
    return std::pair {
        match.captured(1).isEmpty() ? match.captured(2) : match.captured(1), match.captured(3)};
}

bool DeviceConnection::fail(const QString &what, QString *reason)
{
    *reason = what;
    failed_ = true;
    confirm();
    return false;
}

bool DeviceConnection::open(QString *reason)
{
    if (const auto host = hostAndPort(address_)) {
        network_ = true;
        return connectToHost(host->first, host->second, reason);
    }
    return openDevice(reason);
}

bool DeviceConnection::openDevice(QString *reason)
{
    // Never made or emptied: only a device, or a file that is there, is written to.
    descriptor_ = ::open(address_.toLocal8Bit().constData(),
        O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor_ >= 0) return true;
    const int error = errno;
    if (error == ENOENT) return fail(QStringLiteral("找不到打印机 %1").arg(address_), reason);
    if (error == EACCES)
        return fail(
            QStringLiteral("没有权限写入打印机 %1（用户需要在 lp 组中）").arg(address_), reason);
    return fail(QStringLiteral("无法打开打印机 %1：%2").arg(address_, systemError(error)), reason);
}

bool DeviceConnection::connectToHost(const QString &host, const QString &port, QString *reason)
{
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const int lookup
        = getaddrinfo(host.toUtf8().constData(), port.toUtf8().constData(), &hints, &found);
    if (lookup != 0)
        return fail(QStringLiteral("找不到打印机 %1：%2")
                        .arg(address_, QString::fromLocal8Bit(gai_strerror(lookup))),
            reason);
    int error = ETIMEDOUT;
    for (addrinfo *candidate = found; candidate && descriptor_ < 0;
         candidate = candidate->ai_next) {
        const int socket = ::socket(candidate->ai_family,
            candidate->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, candidate->ai_protocol);
        if (socket < 0) continue;
        if (::connect(socket, candidate->ai_addr, candidate->ai_addrlen) == 0) {
            descriptor_ = socket;
            continue;
        }
        error = errno;
        if (error == EINPROGRESS) {
            pollfd wait {socket, POLLOUT, 0};
            const int ready = poll(&wait, 1, int(connectTimeout.count()));
            socklen_t length = sizeof error;
            if (ready <= 0)
                error = ready == 0 ? ETIMEDOUT : errno;
            else if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) < 0)
                error = errno;
            if (error == 0) {
                descriptor_ = socket;
                continue;
            }
        }
        ::close(socket);
    }
    freeaddrinfo(found);
    if (descriptor_ >= 0) return true;
    return fail(QStringLiteral("无法连接打印机 %1：%2").arg(address_, systemError(error)), reason);
}

bool DeviceConnection::waitForRoom(QString *reason)
{
    pollfd wait {descriptor_, POLLOUT, 0};
    for (;;) {
        const int ready = poll(&wait, 1, int(stall_.count()));
        if (ready > 0) return true;
        if (ready < 0 && errno == EINTR) continue;
        if (ready == 0)
            return fail(QStringLiteral("打印机 %1 在 %2 秒内没有接收数据")
                            .arg(address_)
                            .arg(double(stall_.count()) / 1000),
                reason);
        return fail(QStringLiteral("打印机 %1 出错：%2").arg(address_, systemError(errno)), reason);
    }
}

bool DeviceConnection::send(const QByteArray &page, int labels, QString *reason)
{
    if (failed_ || descriptor_ < 0) return false;
    const SigpipeHeld held;
    for (qsizetype done = 0; done < page.size();) {
        const char *from = page.constData() + done;
        const size_t length = size_t(page.size() - done);
        const ssize_t written = network_ ? ::send(descriptor_, from, length, MSG_NOSIGNAL)
                                         : ::write(descriptor_, from, length);
        if (written > 0) {
            done += written;
            written_ += written;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!waitForRoom(reason)) return false;
        } else if (written < 0 && errno != EINTR) {
            return fail(
                QStringLiteral("打印机 %1 断开了：%2").arg(address_, systemError(errno)), reason);
        }
    }
    unconfirmed_.emplace_back(written_, labels);
    confirm();
    return true;
}

void DeviceConnection::confirm()
{
    qint64 taken = written_;
    // On the network the bytes the printer has not acknowledged yet are not its own.
    int unacknowledged = 0;
    if (network_ && descriptor_ >= 0 && ioctl(descriptor_, SIOCOUTQ, &unacknowledged) == 0)
        taken -= unacknowledged;
    while (!unconfirmed_.empty() && unconfirmed_.front().first <= taken) {
        labelsConfirmed_ += unconfirmed_.front().second;
        unconfirmed_.erase(unconfirmed_.begin());
    }
}

bool DeviceConnection::close(QString *reason)
{
    if (failed_ || descriptor_ < 0) return false;
    if (network_) {
        // Every byte acknowledged before the connection ends: a page the printer never got is
        // not one it printed.
        shutdown(descriptor_, SHUT_WR);
        const auto deadline = std::chrono::steady_clock::now() + stall_;
        for (confirm(); !unconfirmed_.empty(); confirm()) {
            if (std::chrono::steady_clock::now() > deadline)
                return fail(QStringLiteral("打印机 %1 没有收完数据").arg(address_), reason);
            // Only a connection that ended wakes this early: after the last acknowledgement, or
            // without it.
            pollfd ended {descriptor_, 0, 0};
            if (poll(&ended, 1, 20) > 0 && (ended.revents & (POLLERR | POLLHUP))) {
                confirm();
                if (!unconfirmed_.empty())
                    return fail(QStringLiteral("打印机 %1 断开了").arg(address_), reason);
            }
        }
    }
    const int result = ::close(descriptor_);
    descriptor_ = -1;
    if (result < 0 && errno != EINTR)
        return fail(QStringLiteral("打印机 %1 出错：%2").arg(address_, systemError(errno)), reason);
    confirm();
    return true;
}

} // namespace tagloom
