// Start-up of the windows: Qt's Chinese texts, the dialogs, the state and the windows over it.
#include "WindowProgram.h"

#include "ConsoleText.h"
#include "Form1.h"
#include "Forms.h"
#include "QtDialogProvider.h"
#include "Workspace.h"
#include "print/TemporaryFolder.h"

#include <QApplication>

namespace tagloom {

int WindowProgram::run(int argc, char *argv[])
{
    // Lets the desktop match the windows to the menu entry, for the dock's icon and name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TAGLOOM_APP_ID));
    // A print run ended by a signal (a session that closes) leaves no temporary files.
    TemporaryFolder::removeAllOnTermination();
    QApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() > 1)
        return ConsoleText::usageError(QStringLiteral("只能给出一个布局文件"));

    QtDialogProvider::installChineseTexts();
    QtDialogProvider dialogs;
    Workspace workspace(dialogs);
    Forms forms(workspace);
    QObject::connect(forms.form1(), &Form1::closed, &app, &QCoreApplication::quit);
    forms.showMainWindow();
    if (!arguments.isEmpty()) forms.form1()->loadLayout(arguments.first());
    return QApplication::exec();
}

} // namespace tagloom
