// Hands out the program's windows. The main window lives for the whole run; the canvas window and
// the data source window come into existence, hidden, on their first reference and are recreated
// in their initial state after the user closes them.
#pragma once

#include "WindowEffects.h"
#include "canvas/Form2.h"
#include "codes/Form4.h"
#include "data/Form3.h"

#include <QObject>
#include <QPointer>
#include <memory>

namespace tagloom {

class Form1;
class Workspace;

class Forms : public QObject, public WindowEffects
{
    Q_OBJECT

public:
    explicit Forms(Workspace &workspace);
    ~Forms() override;

    Form1 *form1() { return form1_.get(); }
    Form2 *form2();
    Form3 *form3();
    bool hasForm2() const { return form2_ != nullptr; }
    bool hasForm3() const { return form3_ != nullptr; }
    // The size dialog: created on first use, gone once applied or closed.
    Form4 *form4();
    bool hasForm4() const { return form4_ != nullptr; }

    // Shows the main window centred on the screen.
    void showMainWindow();

    // Closes a window and discards what it holds; harmless when it does not exist. A window that
    // the user closes is still inside its own close event: it goes away once that has ended.
    void unloadCanvasWindow();
    void unloadDataWindow();

    // WindowEffects
    void canvasCreated(LabelDesign &design) override;
    void canvasDiscarded() override;
    void showCanvas() override;
    void startDocking() override;
    void dataTableCreated(DataTable &table) override;
    void dataTableDiscarded() override;
    void showDataWindow() override;
    void fitDataColumns() override;

private:
    // A window the user closes asks first when closing would throw work away: "是" closes it as
    // ever, "否" keeps it. Neither closes while a print run works on it.
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
