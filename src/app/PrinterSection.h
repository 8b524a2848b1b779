// The main window's printing choices beside its steps: the printer (remembered for the user; the
// default printer until one is chosen), or "直接连接" to a printer with no driver with its
// language, resolution, gap and place, how many copies of each label, and the printer's
// calibration with a label to print and measure it by.
#pragma once

#include "print/PrinterChoice.h"

#include <QGroupBox>

class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tagloom {

class Workspace;

class PrinterSection : public QGroupBox
{
    Q_OBJECT

public:
    PrinterSection(Workspace &workspace, QWidget *parent);

    // The chosen printer.
    PrinterChoice choice() const;
    int copies() const;

signals:
    void statusChanged(const QString &text);

private:
    void choosePrinter();
    void storeDirectPrinter();
    void showDirectPrinter();
    // Shows the calibration of the printer now chosen, which the fields then edit.
    void showCalibration();
    void storeCalibration();
    void printCalibrationLabel();

    Workspace &workspace_;
    QComboBox *printer_;
    QWidget *direct_;
    QComboBox *directLanguage_;
    QComboBox *directDpi_;
    QLineEdit *directAddress_;
    QDoubleSpinBox *directGap_;
    QSpinBox *copies_;
    QDoubleSpinBox *offsetX_;
    QDoubleSpinBox *offsetY_;
    QDoubleSpinBox *scale_;
    QPushButton *printCalibration_;
};

} // namespace tagloom
