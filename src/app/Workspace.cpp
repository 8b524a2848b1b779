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
        emit canvasCreated(*canvas_);
    }
    return *canvas_;
}

void Workspace::discardCanvas()
{
    if (!canvas_) return;
    history_.startAfresh();
    const std::unique_ptr<LabelDesign> discarded = std::move(canvas_);
    emit canvasDiscarded(*discarded);
}

DataTable &Workspace::dataTable()
{
    if (!dataTable_) {
        dataTable_ = std::make_unique<DataTable>();
        emit dataTableCreated(*dataTable_);
    }
    return *dataTable_;
}

void Workspace::discardDataTable()
{
    if (!dataTable_) return;
    if (dataTable_->hasSheet()) discardedASheet_ = true;
    const std::unique_ptr<DataTable> discarded = std::move(dataTable_);
    emit dataTableDiscarded(*discarded);
}

} // namespace tagloom
