// A freshly started program for a test: scripted dialogs, the shared state and the windows, with
// helpers to find the windows' controls by name.
#pragma once

#include "ScriptedWindowDialogs.h"
#include "app/Form1.h"
#include "app/Forms.h"
#include "app/Workspace.h"

#include <QWidget>

namespace tagloom::test {

class TestProgram
{
public:
    TestProgram();

    ScriptedWindowDialogs dialogs;
    Workspace workspace {dialogs};
    Forms forms {workspace};

    Form1 &form1() { return *forms.form1(); }
    MainPanel &panel() { return workspace.panel(); }

    // A control of the main window by its name, e.g. control<QPushButton>("Command1").
    template<class T> T *control(const QString &name) { return form1().findChild<T *>(name); }

    // Clicks a button of the main window by its name.
    void click(const QString &buttonName);

    // The first steps of a design through the main window: choose the picture and the workbook,
    // generate the field items (answering their hint) and insert the QR code and the barcode.
    void startDesign(const QString &picture, const QString &workbook);

    // Lets deleted windows go and queued events run.
    static void settle();
};

} // namespace tagloom::test
