// The main window: the numbered steps of the work, the print range, the layout commands and the
// docking timer that keeps the canvas and the data source window beside it.
#pragma once

#include "CommonDialog.h"
#include "canvas/Twips.h"

#include <QWidget>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTimer;

namespace tagloom {

class Forms;
class LabelDesign;
class PrinterSection;
class RowPreview;
class SidePanel;
class Workspace;

class Form1 : public QWidget
{
    Q_OBJECT

public:
    Form1(Workspace &workspace, Forms &forms);

    // The window's one file dialog, shared by its commands.
    CommonDialog &commonDialog() { return commonDialog_; }
    // The row preview beside the steps.
    RowPreview &rowPreview() { return *rowPreview_; }

    // Loads a layout file as the import layout command does after its dialog.
    void loadLayout(const QString &path);

    // Starts the docking timer: 100 ms, ticking for the rest of the run.
    void startDocking();
    // Where the canvas docked at this window's left would start left of the screen, moves this
    // window right just enough for the whole canvas, once this window is on the screen.
    void makeRoomForCanvas();

    // How the last command ended, in the status line; empty once the next command starts.
    QString status() const;
    void showStatus(const QString &text);

signals:
    void closed();

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Timer1_Timer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void makeRoomOnceShown();
    QPushButton *addButton(const char *name, const QString &caption, Twips left, Twips top,
        Twips width, Twips height, void (Form1::*handler)());
    void bindPanel();
    // Undo and redo of the design: their keys anywhere in the window, and a "编辑" menu in the
    // side panel, the steps having no room for a menu bar.
    // The side panel's first row: the edit menu's button and the row preview.
    void addTools();
    // Makes a change to the design as one step of its history.
    void changeCanvas(const QString &text, void (*change)(LabelDesign &));

    Workspace &workspace_;
    Forms &forms_;
    CommonDialog commonDialog_;
    QLineEdit *text1_ = nullptr;
    QLineEdit *text2_ = nullptr;
    QLineEdit *text3_[2] = {};
    QComboBox *combo1_[2] = {};
    QPushButton *command3_ = nullptr;
    QTimer *timer1_ = nullptr;
    bool roomWanted_ = false; // a picture came while this window was not yet on the screen
    SidePanel *sidePanel_ = nullptr;
    PrinterSection *printerSection_ = nullptr;
    RowPreview *rowPreview_ = nullptr;
};

} // namespace tagloom
