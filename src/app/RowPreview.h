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

signals:
    void statusChanged(const QString &text);

private:
    // Shows the chosen row on the canvas, or the design again while the preview is off.
    void refresh();
    // Refreshes the preview when the design or the table it shows changes.
    void follow(LabelDesign &design, DataTable &table);

    Workspace &workspace_;
    Forms &forms_;
    QCheckBox *check_;
    QSpinBox *row_;
    QPointer<LabelDesign> followedDesign_;
    QPointer<DataTable> followedTable_;
};

} // namespace tagloom
