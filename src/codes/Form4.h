// The size dialog: width and height of the QR code item and of the barcode item, in twips, and
// below them the sizes the codes print at.
#pragma once

#include "app/ClosableWindow.h"

class QLabel;
class QLineEdit;

namespace tagloom {

class Workspace;

class Form4 : public ClosableWindow
{
    Q_OBJECT

public:
    explicit Form4(Workspace &workspace);

    // Fills the four boxes from the canvas items, overwriting what was typed.
    void fillFromCanvas();

    // Applies the four sizes and closes; a box that holds no acceptable size is refused with a
    // message, and then nothing is applied and the dialog stays open.
    void Command1_Click();

private:
    // Says below the boxes how large the codes print at the sizes typed.
    void showPrintedSizes();

    QLineEdit *text1_[4] = {};
    QLabel *printedSizes_;
    Workspace &workspace_;
};

} // namespace tagloom
