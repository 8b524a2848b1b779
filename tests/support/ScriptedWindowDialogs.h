// The scripted dialogs of a test with windows: popup menus are answered by triggering their item,
// and a modal window that comes up over an open dialog fails the test.
#pragma once

#include "ScriptedDialogs.h"

namespace tagloom::test {

class ScriptedWindowDialogs : public ScriptedDialogs
{
protected:
    QString coveringWindow() const override;
    void chooseMenuItem(QMenu &menu, const QString &text) override;
};

} // namespace tagloom::test
