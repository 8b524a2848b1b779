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

void TestProgram::startDesign(const QString &picture, const QString &workbook)
{
    dialogs.answerOpen(picture);
    click("Command1");
    dialogs.answerOpen(workbook);
    click("Command2");
    dialogs.answerMessage();
    click("Command3");
    click("Command4");
    click("Command5");
}

void TestProgram::settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

} // namespace tagloom::test
