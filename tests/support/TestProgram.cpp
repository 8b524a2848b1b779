// A freshly started program for a test: clicking its controls by name, letting events settle.
#include "TestProgram.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>

namespace tagloom::test {

TestProgram::TestProgram()
{
    forms.showMainWindow();
}

void TestProgram::click(const QString &buttonName)
{
    auto *button = control<QPushButton>(buttonName);
    if (!button) {
        QTest::qFail(
            qPrintable(QStringLiteral("no button %1").arg(buttonName)), __FILE__, __LINE__);
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestProgram::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace tagloom::test
