// The printing section beside the main window's steps: the chosen printer and each printer's
// calibration are kept for the user from one start of the program to the next, and the print run
// takes the printer and the copies from there.
#include "canvas/LabelDesign.h"
#include "print/PrintSettings.h"
#include "print/PrinterChoice.h"
#include "support/Fixtures.h"
#include "support/TestProgram.h"
#include "support/ZplPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class PrinterSectionTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void theChoiceAndTheCalibrationOutliveTheProgram();
    void eachPrinterKeepsItsOwnCalibration();
    void aHandEditedSettingsFileCannotUpsetTheRun();
    void printingTakesThePrinterAndTheCopiesChosen();
    void theQuantityColumnAndThePictureFollowTheDesign();
    void aPrinterWithoutADriverIsSetUpBesideTheQueues();

private:
    static QSettings userSettings()
    {
        return QSettings(QSettings::NativeFormat, QSettings::UserScope, "tagloom", "tagloom");
    }
};

void PrinterSectionTest::init()
{
    // No print server: this machine's queues play no part, and no default printer exists.
    qputenv("CUPS_SERVER", "/nonexistent/cups.sock");
    userSettings().clear();
}

void PrinterSectionTest::theChoiceAndTheCalibrationOutliveTheProgram()
{
    {
        TestProgram first;
        auto *printer = first.control<QComboBox>("PrinterChoice");
        QVERIFY(printer);
        QCOMPARE(printer->currentText(), QStringLiteral("默认打印机：没有"));
        QVERIFY(!first.control<QDoubleSpinBox>("OffsetX")->isEnabled()); // nothing to calibrate
        QVERIFY(!first.control<QPushButton>("PrintCalibration")->isEnabled());
    }
    // A printer chosen in an earlier session, from the list CUPS gave then.
    PrintSettings::setChosenPrinter("Shelf-Zebra");
    {
        TestProgram second;
        QCOMPARE(second.control<QComboBox>("PrinterChoice")->currentText(),
            QStringLiteral("Shelf-Zebra"));
        auto *offsetX = second.control<QDoubleSpinBox>("OffsetX");
        QVERIFY(offsetX->isEnabled());
        QCOMPARE(offsetX->value(), 0.0);
        QCOMPARE(second.control<QDoubleSpinBox>("Scale")->value(), 100.0);
        offsetX->setValue(1.5);
        second.control<QDoubleSpinBox>("OffsetY")->setValue(-0.8);
        second.control<QDoubleSpinBox>("Scale")->setValue(99.5);
    }
    {
        TestProgram third;
        auto *printer = third.control<QComboBox>("PrinterChoice");
        QCOMPARE(printer->currentText(), QStringLiteral("Shelf-Zebra"));
        QCOMPARE(third.control<QDoubleSpinBox>("OffsetX")->value(), 1.5);
        QCOMPARE(third.control<QDoubleSpinBox>("OffsetY")->value(), -0.8);
        QCOMPARE(third.control<QDoubleSpinBox>("Scale")->value(), 99.5);
        printer->setCurrentIndex(0); // back to the default printer
        QCOMPARE(PrintSettings::chosenPrinter(), QString());
        QVERIFY(!third.control<QDoubleSpinBox>("OffsetX")->isEnabled());
    }
    TestProgram fourth;
    QCOMPARE(fourth.control<QComboBox>("PrinterChoice")->currentIndex(), 0);
    // The calibration stays with its printer, for when it is chosen again.
    QCOMPARE(PrintSettings::calibration("Shelf-Zebra"), (Calibration {QPointF(1.5, -0.8), 99.5}));
}

void PrinterSectionTest::eachPrinterKeepsItsOwnCalibration()
{
    PrintSettings::setCalibration("Office/A4 #2", {QPointF(-3, 4), 101});
    PrintSettings::setChosenPrinter("Shelf-Zebra");
    {
        TestProgram program;
        program.control<QDoubleSpinBox>("OffsetY")->setValue(2.25);
    }
    QCOMPARE(PrintSettings::calibration("Shelf-Zebra"), (Calibration {QPointF(0, 2.3), 100}));
    QCOMPARE(PrintSettings::calibration("Office/A4 #2"), (Calibration {QPointF(-3, 4), 101}));
    QCOMPARE(PrintSettings::calibration("Never-Calibrated"), Calibration {});
}

void PrinterSectionTest::aHandEditedSettingsFileCannotUpsetTheRun()
{
    PrintSettings::setCalibration("Shelf-Zebra", {QPointF(1, 1), 100});
    QSettings settings = userSettings();
    settings.setValue("printers/Shelf-Zebra/offsetX", "abc");
    settings.setValue("printers/Shelf-Zebra/offsetY", -1e9);
    settings.setValue("printers/Shelf-Zebra/scale", "nan");
    settings.sync();
    QCOMPARE(PrintSettings::calibration("Shelf-Zebra"),
        (Calibration {QPointF(0, -Calibration::largestOffsetMm), 100}));
}

void PrinterSectionTest::printingTakesThePrinterAndTheCopiesChosen()
{
    PrintSettings::setChosenPrinter("Shelf-Zebra");
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
    program.click("Command1");
    program.control<QSpinBox>("Copies")->setValue(2);
    program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    program.click("Command6");
    QVERIFY(program.dialogs.allAnswered());
    const QList<MessageRequest> messages = program.dialogs.messages();
    QCOMPARE(messages.at(messages.size() - 2).text,
        QStringLiteral("将打印第1到1行,共1个标签\n每个标签打印2份,共2张"));
    QCOMPARE(messages.last().text, QStringLiteral("找不到打印机 Shelf-Zebra。没有打印任何标签。"));
    QCOMPARE(program.form1().status(), messages.last().text);
}

// "份数列" offers the table's headers and shows what a layout chose; "打印背景图片" is a step of
// the design's history and shows the design it belongs to.
void PrinterSectionTest::theQuantityColumnAndThePictureFollowTheDesign()
{
    TestProgram program;
    auto *quantity = program.control<QComboBox>("QuantityColumn");
    auto *picture = program.control<QCheckBox>("PrintPicture");
    QCOMPARE(quantity->count(), 1);
    QVERIFY(picture->isChecked());
    program.dialogs.answerOpen(sourceFile("examples/prices.csv"));
    program.click("Command2");
    QCOMPARE(quantity->count(), 8); // none and the seven headers
    QCOMPARE(quantity->itemText(7), QStringLiteral("份数"));
    quantity->setCurrentIndex(7);
    emit quantity->activated(7);
    QCOMPARE(program.panel().quantityColumn(), QStringLiteral("份数"));

    picture->click();
    LabelDesign &design = program.workspace.canvas();
    QVERIFY(!design.printsPicture());
    program.workspace.history().stack().undo();
    QVERIFY(design.printsPicture() && picture->isChecked());

    program.dialogs.answerOpen(sourceFile("examples/price.ini"));
    program.click("Command9");
    QCOMPARE(quantity->currentText(), QStringLiteral("份数"));
    program.workspace.canvas().setPrintsPicture(false);
    QVERIFY(!picture->isChecked());
}

// "直接连接": the printer's language, resolution, place and gap, kept like the queue chosen, and
// the run's labels in that language at that resolution.
void PrinterSectionTest::aPrinterWithoutADriverIsSetUpBesideTheQueues()
{
    QTemporaryDir folder;
    const QString device = folder.filePath("lp0");
    QFile(device).open(QIODevice::WriteOnly);
    {
        TestProgram program;
        auto *printer = program.control<QComboBox>("PrinterChoice");
        QVERIFY(!program.control<QLineEdit>("DirectAddress")->isVisibleTo(&program.form1()));
        printer->setCurrentIndex(printer->count() - 1);
        QCOMPARE(printer->currentText(), QStringLiteral("直接连接"));
        auto *language = program.control<QComboBox>("DirectLanguage");
        QVERIFY(language->isVisibleTo(&program.form1()));
        language->setCurrentText("ZPL");
        program.control<QComboBox>("DirectDpi")->setCurrentText("300 dpi");
        program.control<QDoubleSpinBox>("DirectGap")->setValue(3);
        auto *address = program.control<QLineEdit>("DirectAddress");
        address->setText(device);
        emit address->editingFinished();
        QCOMPARE(PrinterChoice::chosenDotsPerInch(), 300);
        QCOMPARE(PrinterChoice::chosen().name(), "zpl:" + device);
        program.control<QDoubleSpinBox>("OffsetX")->setValue(1);

        program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
        program.click("Command1");
        program.dialogs.answerMessage();
        program.click("Command6");
        QCOMPARE(program.form1().status(), QStringLiteral("已送出1张标签。"));
    }
    QFile sent(device);
    QVERIFY(sent.open(QIODevice::ReadOnly));
    const QList<ZplPage> pages = zplPages(sent.readAll());
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pages[0].dots.size(), QSize(938, 625)); // 3.125 x 2.083 in at 300 dpi
    QCOMPARE(PrintSettings::calibration("zpl:" + device).offsetMm, QPointF(1, 0));

    TestProgram again;
    QCOMPARE(again.control<QComboBox>("PrinterChoice")->currentText(), QStringLiteral("直接连接"));
    QCOMPARE(again.control<QLineEdit>("DirectAddress")->text(), device);
    QCOMPARE(again.control<QDoubleSpinBox>("DirectGap")->value(), 3.0);
    QCOMPARE(again.control<QDoubleSpinBox>("OffsetX")->value(), 1.0);
}

QTEST_MAIN(PrinterSectionTest)
#include "PrinterSectionTest.moc"
