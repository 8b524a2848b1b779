// The row preview: the chosen data row on the canvas, the row box following the table.
#include "RowPreview.h"

#include "Forms.h"
#include "Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/LabelRow.h"
#include "codes/QrMaker.h"
#include "data/DataTable.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QSpinBox>

namespace tagloom {

namespace {

// The row's QR code as the print run makes it, one pixel a module, by a generator of its own, so
// that the design's stays as it is; nothing when no column feeds it.
std::optional<PictureRef> qrCodeOf(const DataTable &table, int row, int column, QrLevel level)
{
    if (column < 1) return std::nullopt;
    QrMaker generator;
    generator.setLevel(level);
    generator.setCodeData(table.contains(row, column) ? table.cell(row, column) : QString());
    generator.refresh();
    if (generator.codePicture()->isNull()) return PictureRef();
    return generator.codePicture();
}

} // namespace

RowPreview::RowPreview(Workspace &workspace, Forms &forms, QWidget *parent)
    : QWidget(parent)
    , workspace_(workspace)
    , forms_(forms)
    , check_(new QCheckBox(QStringLiteral("预览"), this))
    , row_(new QSpinBox(this))
{
    setObjectName(QStringLiteral("RowPreview"));
    check_->setObjectName(QStringLiteral("PreviewCheck"));
    row_->setObjectName(QStringLiteral("PreviewRow"));
    row_->setRange(1, 1);
    row_->setKeyboardTracking(false);
    row_->setPrefix(QStringLiteral("第"));
    row_->setSuffix(QStringLiteral("行"));
    check_->setShortcut(QKeySequence(QStringLiteral("Alt+V")));
    check_->setToolTip(QStringLiteral("在画布上预览某一数据行的标签（Alt+V）"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(check_);
    layout->addWidget(row_, 1);
    layout->setSpacing(3);

    connect(check_, &QCheckBox::toggled, this, &RowPreview::refresh);
    connect(row_, &QSpinBox::valueChanged, this, &RowPreview::refresh);
    for (auto source : {MainPanel::QrSource, MainPanel::BarcodeSource})
        connect(&workspace_.panel().chooser(source), &SourceChooser::listIndexChanged, this,
            &RowPreview::refresh);
    connect(&workspace_, &Workspace::dataTableCreated, this, &RowPreview::followTable);
    if (workspace_.hasDataTable()) followTable(workspace_.dataTable());
}

void RowPreview::previewRow(int row)
{
    if (check_->isChecked()) row_->setValue(row);
}

void RowPreview::followTable(DataTable &table)
{
    connect(&table, &DataTable::reset, this, [this] {
        fitRowRange();
        refresh();
    });
    connect(&table, &QObject::destroyed, this, [this] {
        check_->setChecked(false);
        fitRowRange();
    });
    fitRowRange();
}

void RowPreview::fitRowRange()
{
    const DataTable *table = workspace_.hasDataTable() ? &workspace_.dataTable() : nullptr;
    const QSignalBlocker blocker(row_);
    row_->setMaximum(table && table->hasSheet() ? std::max(table->rows() - 1, 1) : 1);
}

void RowPreview::followDesign(LabelDesign &design)
{
    if (followedDesign_ == &design) return;
    if (followedDesign_) disconnect(followedDesign_, nullptr, this, nullptr);
    followedDesign_ = &design;
    // What the row fills in follows the items there are, the barcode's place and type and the QR
    // code's level.
    for (auto signal : {&LabelDesign::fieldsUnloaded, &LabelDesign::fieldAdded})
        connect(&design, signal, this, &RowPreview::refresh);
    for (auto signal : {&LabelDesign::barcodeChanged, &LabelDesign::codeImageChanged})
        connect(&design, signal, this, &RowPreview::refresh);
    connect(&design, &QObject::destroyed, this, [this] { check_->setChecked(false); });
}

void RowPreview::refresh()
{
    Form2 *canvas = forms_.hasForm2() ? forms_.form2() : nullptr;
    if (!check_->isChecked()) {
        if (!previewing_) return;
        previewing_ = false;
        if (canvas && canvas->showsRow()) canvas->showRow(std::nullopt);
        emit statusChanged({});
        return;
    }
    DataTable *table = workspace_.hasDataTable() ? &workspace_.dataTable() : nullptr;
    const int dataRows = table ? table->rows() - 1 : 0;
    if (!canvas || !table || !table->hasSheet() || dataRows < 1) {
        check_->setChecked(false);
        emit statusChanged(QStringLiteral("没有可预览的数据行：先做第1、2步或导入布局。"));
        return;
    }
    LabelDesign &design = workspace_.canvas();
    followDesign(design);
    const MainPanel &panel = workspace_.panel();
    const int qrColumn = panel.chooser(MainPanel::QrSource).listIndex() + 1;
    const int barcodeColumn = panel.chooser(MainPanel::BarcodeSource).listIndex() + 1;
    LabelRow shown = LabelRow::fromTable(design, *table, row_->value(), barcodeColumn);
    shown.qrPicture = qrCodeOf(*table, row_->value(), qrColumn, design.qrLevel());
    canvas->showRow(std::move(shown));
    previewing_ = true;
    emit statusChanged(QStringLiteral("正在预览第%1行。").arg(row_->value()));
}

} // namespace tagloom
