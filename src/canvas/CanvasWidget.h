// Picture1: the label's drawing area. It paints the whole design through the label painter at the
// screen's scale and holds the mouse surfaces of the items.
#pragma once

#include "CanvasViewScale.h"
#include "LabelRow.h"

#include <QWidget>
#include <optional>

namespace tagloom {

class LabelDesign;

class CanvasWidget : public QWidget
{
    Q_OBJECT

public:
    CanvasWidget(LabelDesign &design, QWidget *parent);

    // Stops drawing the design, which is about to go away with its window.
    void detach() { design_ = nullptr; }
    // The scale the label is shown at.
    void setView(const CanvasViewScale &view) { view_ = view; }
    // Shows the label filled with a data row instead of the design's own captions and codes, or
    // the design again; the items cannot be moved while a row shows.
    void showRow(std::optional<LabelRow> row);
    bool showsRow() const { return row_.has_value(); }
    // The dots per inch of the printer the label goes to: the codes show on its dots. Nothing
    // shows them exact, as PDF prints them.
    void setPrinterDotsPerInch(const std::optional<double> &dotsPerInch);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LabelDesign *design_;
    CanvasViewScale view_;
    std::optional<LabelRow> row_;
    std::optional<double> printerDotsPerInch_;
};

} // namespace tagloom
