// The main window's printing choices beside its steps: the printer (remembered for the user; the
// default printer until one is chosen), or "直接连接" to a printer with no driver with its
// language, resolution, gap and place, how many copies of each label, the column that gives each
// row's number of labels, whether the label picture prints, and the printer's calibration with a
// label to print and measure it by.
#pragma once

#include "print/PrinterChoice.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tagloom {

class LabelDesign;
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
    // Tells the canvas the dots the label prints on.
    void publishDots();
    void printCalibrationLabel();
    // The quantity column's choices: none, then the data table's headers, and the chosen one
    // also when the table has no such column.
    void listQuantityColumns();
    void followDesign(LabelDesign &design);

    Workspace &workspace_;
    QComboBox *printer_;
    QWidget *direct_;
    QComboBox *directLanguage_;
    QComboBox *directDpi_;
    QLineEdit *directAddress_;
    QDoubleSpinBox *directGap_;
    QSpinBox *copies_;
    QComboBox *quantityColumn_;
    QCheckBox *printsPicture_;
    QDoubleSpinBox *offsetX_;
    QDoubleSpinBox *offsetY_;
    QDoubleSpinBox *scale_;
    QPushButton *printCalibration_;
};

} // namespace tagloom
