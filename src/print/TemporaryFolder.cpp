// Temporary folders, and their removal when a signal ends the program.
#include "TemporaryFolder.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace tagloom {

namespace {

// The folders there are, guarded by their lock. Never destroyed: a signal may come while the
// program's statics are.
std::mutex &lock()
{
    static auto *mutex = new std::mutex;
    return *mutex;
}

QStringList &folders()
{
    static auto *paths = new QStringList;
    return *paths;
}

int signalPipe = -1;

// All a signal handler may safely do: tell the thread that removes the folders.
void passOn(int signal)
{
    const auto number = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe, &number, 1);
}

[[noreturn]] void removeAllAndEnd(int signal)
{
    // Held to the end: no folder is made or removed by the program meanwhile.
    lock().lock();
    for (const QString &path : std::as_const(folders())) {
        // The program may put a file into it while it goes: a few tries.
        for (int tries = 0; tries < 5 && !QDir(path).removeRecursively(); ++tries) { }
    }
    std::signal(signal, SIG_DFL);
    ::raise(signal);
    std::_Exit(128 + signal); // should the signal not end it after all
}

} // namespace

TemporaryFolder::TemporaryFolder()
{
    const std::lock_guard guard(lock());
    folder_ = std::make_unique<QTemporaryDir>();
    if (folder_->isValid()) folders().append(folder_->path());
}

TemporaryFolder::~TemporaryFolder()
{
    const std::lock_guard guard(lock());
    folders().removeOne(folder_->path());
    folder_.reset();
}

bool TemporaryFolder::isValid() const
{
    return folder_->isValid();
}

QString TemporaryFolder::filePath(const QString &name) const
{
    return folder_->filePath(name);
}

void TemporaryFolder::removeAllOnTermination()
{
    static std::once_flag once;
    std::call_once(once, [] {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0) return;
        signalPipe = ends[1];
        std::thread([reading = ends[0]] {
            unsigned char signal = 0;
            while (::read(reading, &signal, 1) != 1) {
                if (errno != EINTR) return;
            }
            removeAllAndEnd(signal);
        }).detach();
        struct sigaction action
        {
        };
        action.sa_handler = passOn;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : {SIGINT, SIGTERM, SIGHUP})
            sigaction(signal, &action, nullptr);
    });
}

} // namespace tagloom
