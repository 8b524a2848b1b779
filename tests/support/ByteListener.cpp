// The test printer port: POSIX sockets on a thread of their own.
#include "ByteListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tagloom::test {

ByteListener::ByteListener(qint64 goAwayAfter)
    : listening_(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0))
{
    if (goAwayAfter != takesAll) {
        // A small window, inherited by the connection: what the sender has counted as taken
        // stays close to what was read.
        const int small = 4096;
        setsockopt(listening_, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    }
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(listening_, reinterpret_cast<sockaddr *>(&address), length) == 0
        && listen(listening_, 1) == 0
        && getsockname(listening_, reinterpret_cast<sockaddr *>(&address), &length) == 0)
        port_ = ntohs(address.sin_port);
    server_ = std::thread([this, goAwayAfter] { serve(goAwayAfter); });
}

ByteListener::~ByteListener()
{
    stop_ = true;
    if (server_.joinable()) server_.join();
    close(listening_);
}

QString ByteListener::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(port_);
}

QByteArray ByteListener::received()
{
    if (server_.joinable()) server_.join();
    return received_;
}

void ByteListener::serve(qint64 goAwayAfter)
{
    // Waits in short steps, so that the test can always end it.
    const auto ready = [this](int descriptor) {
        pollfd wait {descriptor, POLLIN, 0};
        while (!stop_)
            if (poll(&wait, 1, 50) > 0) return true;
        return false;
    };
    if (!ready(listening_)) return;
    const int connection = accept4(listening_, nullptr, nullptr, SOCK_CLOEXEC);
    char chunk[4096];
    while (goAwayAfter != takesNothing && ready(connection)) {
        const qint64 room
            = goAwayAfter == takesAll ? qint64(sizeof chunk) : goAwayAfter - received_.size();
        const ssize_t got = read(connection, chunk, size_t(std::min<qint64>(room, sizeof chunk)));
        if (got <= 0) break;
        received_.append(chunk, got);
        if (received_.size() == goAwayAfter) {
            // Gone with bytes unread: the connection ends with a reset.
            const linger abrupt {1, 0};
            setsockopt(connection, SOL_SOCKET, SO_LINGER, &abrupt, sizeof abrupt);
            break;
        }
    }
    if (goAwayAfter == takesNothing) ready(-1); // until the test is done
    close(connection);
}

} // namespace tagloom::test
