// Starting the program on the X desktop, and ending it when a test leaves it running.
#include "RunningProgram.h"

#include "support/Fixtures.h"

namespace tagloom::test {

RunningProgram::RunningProgram(const QString &workFolder, const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("QT_FONT_DPI"), QString::number(screenDpi));
    for (const char *name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
             "QT_ENABLE_HIGHDPI_SCALING", "QT_QPA_PLATFORMTHEME", "XDG_CURRENT_DESKTOP"})
        environment.remove(QLatin1String(name));
    // Qt's file dialog keeps its history in the configuration folder: one of this run alone.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), workFolder);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), workFolder);
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(workFolder);
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start(programBinary(), arguments);
}

RunningProgram::~RunningProgram()
{
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished();
}

} // namespace tagloom::test
