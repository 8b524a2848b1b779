// The state every command reaches across windows: the main panel, the label design of the canvas
// window and the data table of the data source window. The design and the table come into
// existence on first reference and are discarded when their window is closed. The workspace
// knows no window: it announces what came into being, went away or is to be seen, and the
// windows, where there are any, follow.
#pragma once

#include "MainPanel.h"
#include "canvas/DesignHistory.h"

#include <QObject>
#include <memory>

namespace tagloom {

class DataTable;
class DialogProvider;
class LabelDesign;

class Workspace : public QObject
{
    Q_OBJECT

public:
    explicit Workspace(DialogProvider &dialogs);
    ~Workspace() override;
    Workspace(const Workspace &) = delete;
    Workspace &operator=(const Workspace &) = delete;

    DialogProvider &dialogs() { return dialogs_; }
    MainPanel &panel() { return panel_; }

    LabelDesign &canvas();
    bool hasCanvas() const { return canvas_ != nullptr; }
    // Discards the design with its window; the next reference brings both back as new.
    void discardCanvas();
    // The person's changes to the design, for undo and redo; cleared with the design.
    DesignHistory &history() { return history_; }

    DataTable &dataTable();
    bool hasDataTable() const { return dataTable_ != nullptr; }
    void discardDataTable();
    // True once a table holding an imported sheet was discarded with its window.
    bool discardedASheet() const { return discardedASheet_; }

    // Keeps the design and the table in existence while a command that lets events run (a print
    // run with its progress dialog) works on them: their windows refuse to close meanwhile.
    class Hold
    {
    public:
        explicit Hold(Workspace &workspace)
            : workspace_(workspace)
        {
            ++workspace_.holds_;
        }
        ~Hold() { --workspace_.holds_; }
        Hold(const Hold &) = delete;
        Hold &operator=(const Hold &) = delete;

    private:
        Workspace &workspace_;
    };
    bool isHeld() const { return holds_ > 0; }

    // A label picture went onto the canvas: the label is to be seen, docked beside the main
    // window.
    void announcePictureApplied() { emit pictureApplied(); }
    // A sheet went into the data table: the table is to be seen with its columns fitted.
    void announceSheetImported() { emit sheetImported(); }

signals:
    void canvasCreated(tagloom::LabelDesign &design);
    // The design is no longer the workspace's and is deleted once the signal has been delivered.
    void canvasDiscarded(tagloom::LabelDesign &design);
    void dataTableCreated(tagloom::DataTable &table);
    // The same for the table.
    void dataTableDiscarded(tagloom::DataTable &table);
    void pictureApplied();
    void sheetImported();

private:
    DialogProvider &dialogs_;
    MainPanel panel_;
    std::unique_ptr<LabelDesign> canvas_;
    DesignHistory history_; // after the design: its steps go first
    std::unique_ptr<DataTable> dataTable_;
    int holds_ = 0;
    bool discardedASheet_ = false;
};

} // namespace tagloom
