// The program started as a person starts it, with Qt's own dialogs, on the X desktop of
// with-x-desktop.sh, laid out at its resolution.
#pragma once

#include <QProcess>
#include <QStringList>

namespace tagloom::test {

// Xvfb runs at this resolution (with-x-desktop.sh), and the program is told the same.
inline constexpr double screenDpi = 96;

class RunningProgram
{
public:
    // Runs in `workFolder`, which also holds its settings; `arguments` as on the command line.
    explicit RunningProgram(const QString &workFolder, const QStringList &arguments = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram &) = delete;
    RunningProgram &operator=(const RunningProgram &) = delete;

    bool waitForStarted() { return process_.waitForStarted(); }
    QString error() const { return process_.errorString(); }
    qint64 pid() const { return process_.processId(); }

    // Waits for the program to end; false when it still runs.
    bool waitForExit(int timeoutMs) { return process_.waitForFinished(timeoutMs); }
    bool endedWell() const
    {
        return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }
    QString output() { return QString::fromLocal8Bit(process_.readAll()); }

private:
    QProcess process_;
};

} // namespace tagloom::test
