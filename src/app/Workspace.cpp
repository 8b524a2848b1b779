// The shared state: the design and the data table made on first reference and discarded on close.
#include "Workspace.h"

#include "canvas/LabelDesign.h"
#include "data/DataTable.h"

namespace tagloom {

Workspace::Workspace(DialogProvider &dialogs)
    : dialogs_(dialogs)
{
}

Workspace::~Workspace() = default;

LabelDesign &Workspace::canvas()
{
    if (!canvas_) {
        canvas_ = std::make_unique<LabelDesign>();
        windows_->canvasCreated(*canvas_);
    }
    return *canvas_;
}

void Workspace::discardCanvas()
{
    if (!canvas_) return;
    windows_->canvasDiscarded();
    canvas_.reset();
}

DataTable &Workspace::dataTable()
{
    if (!dataTable_) {
        dataTable_ = std::make_unique<DataTable>();
        windows_->dataTableCreated(*dataTable_);
    }
    return *dataTable_;
}

void Workspace::discardDataTable()
{
    if (!dataTable_) return;
    if (dataTable_->hasSheet()) discardedASheet_ = true;
    windows_->dataTableDiscarded();
    dataTable_.reset();
}

void Workspace::setWindowEffects(WindowEffects *windows)
{
    windows_ = windows ? windows : &noWindows_;
}

} // namespace tagloom
