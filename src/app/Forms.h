// Hands out the program's windows. The main window lives for the whole run; the canvas window and
// the data source window follow the workspace: each comes into existence, hidden, when its design
// or table does (on their first reference) and goes when they are discarded, so after the user
// closes one it is recreated in its initial state. What the workspace announces beyond that, the
// windows carry out: a label picture shows the canvas and starts the docking, an imported sheet
// shows the data window with fitted columns.
#pragma once

#include "canvas/Form2.h"
#include "codes/Form4.h"
#include "data/Form3.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace tagloom {

class DataTable;
class Form1;
class LabelDesign;
class Workspace;

class Forms : public QObject
{
    Q_OBJECT

public:
    explicit Forms(Workspace &workspace);
    ~Forms() override;

    Form1 *form1() { return form1_.get(); }
    // The canvas and the data source window; a reference brings their design or table, and with
    // it the window, into being.
    Form2 *form2();
    Form3 *form3();
    bool hasForm2() const { return form2_ != nullptr; }
    bool hasForm3() const { return form3_ != nullptr; }
    // The size dialog: created on first use, gone once applied or closed.
    Form4 *form4();
    bool hasForm4() const { return form4_ != nullptr; }

    // Shows the main window centred on the screen.
    void showMainWindow();

    // Discards what a window shows, and so the window; harmless when it does not exist. A window
    // that the user closes is still inside its own close event: it goes away once that has ended.
    void unloadCanvasWindow();
    void unloadDataWindow();

private:
    // What the workspace announces.
    void canvasCreated(LabelDesign &design);
    void dataTableCreated(DataTable &table);
    void pictureApplied();
    void sheetImported();

    // A window the user closes asks first when closing would throw work away: "是" closes it as
    // ever, "否" keeps it; a changed design asks whether to save it. Neither closes while a print
    // run works on it.
    bool mayCloseCanvas();
    bool mayCloseDataWindow();
    template<class Window> void unload(QPointer<Window> &window, bool now);

    Workspace &workspace_;
    std::unique_ptr<Form1> form1_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
};

} // namespace tagloom
