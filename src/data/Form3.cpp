// The data source window: the grid over the data table, its column widths and fitting them.
#include "Form3.h"

#include "DataGridModel.h"
#include "DataTable.h"
#include "Module1.h"
#include "app/ScreenTwips.h"
#include "canvas/LabelFont.h"
#include "canvas/TextMetrics.h"

#include <QHeaderView>
#include <QStyle>
#include <QTableView>

namespace tagloom {

Form3::Form3(DataTable &table)
    : table_(&table)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("数据源"));
    ScreenTwips::resizeClient(this, 10500, 4350);
    setFixedSize(size());

    model_ = new DataGridModel(table, this);
    grid_ = new QTableView(this);
    grid_->setObjectName(QStringLiteral("MSHFlexGrid1"));
    grid_->setFont(chineseFont(QStringLiteral("SimSun"), 9));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 4);
    grid_->setModel(model_);
    ScreenTwips::place(grid_, 0, 0, 10425, 4215);
    model_->setTextWidth(TextWidthMeter(font()));
    connect(grid_, &QTableView::clicked, this,
        [this](const QModelIndex &index) { emit rowClicked(index.row() + 1); });
    connect(grid_->verticalHeader(), &QHeaderView::sectionClicked, this,
        [this](int section) { emit rowClicked(section + 1); });

    connect(&table, &DataTable::reset, this, &Form3::applyAllColWidths);
    connect(&table, &DataTable::colWidthChanged, this, &Form3::applyColWidth);
    applyAllColWidths();
}

void Form3::detach()
{
    if (!table_) return;
    disconnect(table_, nullptr, this, nullptr);
    grid_->setModel(nullptr);
    delete model_;
    model_ = nullptr;
    table_ = nullptr;
}

// No button: the import calls it to fit the grid's columns to their widest texts.
void Form3::Command1_Click()
{
    TextWidthMeter meter(font());
    Module1::FitGridColumns(std::ref(meter), *table_, 0);
    // The room for the data columns: the grid beside the row numbers, less a scroll bar.
    const int columnsPixels = grid_->width() - 2 * grid_->frameWidth()
        - grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    Module1::CapGridColumns(
        *table_, pixelsToTwips(columnsPixels, ScreenTwips::dpiX(this)) - table_->colWidth(0));
}

void Form3::applyColWidth(int col)
{
    const Twips width = table_->colWidth(col);
    const int pixels = qRound(twipsToPixels(width, ScreenTwips::dpiX(this)));
    if (col == 0) {
        // Column 0 is the fixed row-number column: the grid's row header.
        grid_->verticalHeader()->setVisible(width != 0);
        grid_->verticalHeader()->setFixedWidth(pixels);
        return;
    }
    grid_->setColumnHidden(col - 1, width == 0);
    if (width != 0) grid_->setColumnWidth(col - 1, pixels);
}

void Form3::applyAllColWidths()
{
    for (int col = 0; col < table_->cols(); ++col)
        applyColWidth(col);
}

} // namespace tagloom
