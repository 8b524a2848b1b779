// The main window's printing choices beside its steps: the printer (remembered for the user; the
// default printer until one is chosen), how many copies of each label, the column that gives each
// row's number of labels, whether the label picture prints, and the printer's calibration with a
// label to print and measure it by.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
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

    // The chosen queue, or the default one while none is chosen; empty when there is neither.
    QString printerName() const;
    int copies() const;

signals:
    void statusChanged(const QString &text);

private:
    void choosePrinter();
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
    QSpinBox *copies_;
    QComboBox *quantityColumn_;
    QCheckBox *printsPicture_;
    QDoubleSpinBox *offsetX_;
    QDoubleSpinBox *offsetY_;
    QDoubleSpinBox *scale_;
    QPushButton *printCalibration_;
};

} // namespace tagloom
