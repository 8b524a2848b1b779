// A printer's raw network port for tests, on 127.0.0.1: it takes one connection and keeps what
// arrives. It can also go away after a number of bytes, dropping the connection with bytes still
// unread as a printer switched off does, or take nothing at all, as a jammed one.
#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <thread>

namespace tagloom::test {

class ByteListener
{
public:
    static constexpr qint64 takesAll = -1;
    static constexpr qint64 takesNothing = 0;

    explicit ByteListener(qint64 goAwayAfter = takesAll);
    ~ByteListener();
    ByteListener(const ByteListener &) = delete;
    ByteListener &operator=(const ByteListener &) = delete;

    // "127.0.0.1:PORT".
    QString address() const;
    // What arrived, once the connection has ended (or the listener went away).
    QByteArray received();

private:
    void serve(qint64 goAwayAfter);

    int listening_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_ = false;
    QByteArray received_;
    std::thread server_;
};

} // namespace tagloom::test
