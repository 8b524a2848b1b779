// Tagloom: batch label printing. Starts the main window, optionally with a layout file loaded.
#include "Form1.h"
#include "Forms.h"
#include "QtDialogProvider.h"
#include "Workspace.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tagloom"));

    tagloom::QtDialogProvider dialogs;
    tagloom::Workspace workspace(dialogs);
    tagloom::Forms forms(workspace);
    QObject::connect(forms.form1(), &tagloom::Form1::closed, &app, &QCoreApplication::quit);
    forms.showMainWindow();
    if (argc > 1)
        forms.form1()->loadLayout(QString::fromLocal8Bit(argv[1]));
    return QApplication::exec();
}
