// The main window's row preview beside its steps: the canvas shows the label filled with the data
// row chosen, as it will print, until the preview is switched off. The design itself stays as it
// is, so leaving the preview shows the canvas as it was.
#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QSpinBox;

namespace tagloom {

class DataTable;
class Forms;
class LabelDesign;
class Workspace;

class RowPreview : public QWidget
{
    Q_OBJECT

public:
    RowPreview(Workspace &workspace, Forms &forms, QWidget *parent);

    // Shows data row `row` while the preview is on (a row clicked in the data window).
    void previewRow(int row);

signals:
    // What the preview shows, in the status line; empty when it ends.
    void statusChanged(const QString &text);

private:
    // Shows the chosen row on the canvas, or the design again while the preview is off.
    void refresh();
    // The row box offers the table's data rows from the moment the table has them, and the
    // preview follows a new table.
    void followTable(DataTable &table);
    void fitRowRange();
    // Refreshes the preview when the design it shows changes.
    void followDesign(LabelDesign &design);

    Workspace &workspace_;
    Forms &forms_;
    QCheckBox *check_;
    QSpinBox *row_;
    QPointer<LabelDesign> followedDesign_;
    bool previewing_ = false; // a row is shown on the canvas
};

} // namespace tagloom
