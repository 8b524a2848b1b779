// The state every command reaches across windows: the main panel, the label design of the canvas
// window and the data table of the data source window. The design and the table come into
// existence on first reference and are discarded when their window is closed.
#pragma once

#include "MainPanel.h"
#include "WindowEffects.h"

#include <memory>

namespace tagloom {

class DataTable;
class DialogProvider;
class LabelDesign;

class Workspace
{
public:
    explicit Workspace(DialogProvider &dialogs);
    ~Workspace();
    Workspace(const Workspace &) = delete;
    Workspace &operator=(const Workspace &) = delete;

    DialogProvider &dialogs() { return dialogs_; }
    MainPanel &panel() { return panel_; }

    LabelDesign &canvas();
    bool hasCanvas() const { return canvas_ != nullptr; }
    // Discards the design with its window; the next reference brings both back as new.
    void discardCanvas();

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

    WindowEffects &windows() { return *windows_; }
    void setWindowEffects(WindowEffects *windows);

private:
    DialogProvider &dialogs_;
    MainPanel panel_;
    std::unique_ptr<LabelDesign> canvas_;
    std::unique_ptr<DataTable> dataTable_;
    WindowEffects noWindows_;
    WindowEffects *windows_ = &noWindows_;
    int holds_ = 0;
    bool discardedASheet_ = false;
};

} // namespace tagloom
