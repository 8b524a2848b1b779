// The program's windows: created on first reference, recreated after a close, unloaded at the end.
#include "Forms.h"

#include "Form1.h"
#include "MessageBox.h"
#include "RowPreview.h"
#include "ScreenTwips.h"
#include "Workspace.h"
#include "canvas/Form2.h"
#include "canvas/LabelDesign.h"
#include "data/DataTable.h"
#include "data/Form3.h"
#include "layout/SaveQuestion.h"

namespace tagloom {

Forms::Forms(Workspace &workspace)
    : workspace_(workspace)
{
    form1_ = std::make_unique<Form1>(workspace, *this);
    connect(&workspace_, &Workspace::canvasCreated, this, &Forms::canvasCreated);
    connect(&workspace_, &Workspace::canvasDiscarded, this, [this] { unload(form2_, false); });
    connect(&workspace_, &Workspace::dataTableCreated, this, &Forms::dataTableCreated);
    connect(&workspace_, &Workspace::dataTableDiscarded, this, [this] { unload(form3_, false); });
    connect(&workspace_, &Workspace::pictureApplied, this, &Forms::pictureApplied);
    connect(&workspace_, &Workspace::sheetImported, this, &Forms::sheetImported);
    // What existed before the windows gets its window too.
    if (workspace_.hasCanvas()) canvasCreated(workspace_.canvas());
    if (workspace_.hasDataTable()) dataTableCreated(workspace_.dataTable());
}

Forms::~Forms()
{
    disconnect(&workspace_, nullptr, this, nullptr);
    unload(form2_, true);
    unload(form3_, true);
    delete form4_.data();
    form1_.reset();
}

Form2 *Forms::form2()
{
    workspace_.canvas(); // the window comes with its design
    return form2_;
}

Form3 *Forms::form3()
{
    workspace_.dataTable();
    return form3_;
}

Form4 *Forms::form4()
{
    if (!form4_) {
        form4_ = new Form4(workspace_);
        form4_->setWindowIcon(form1_->windowIcon());
        connect(form4_, &Form4::closed, this, [this] {
            if (Form4 *window = form4_) {
                form4_ = nullptr;
                window->deleteLater();
            }
        });
    }
    return form4_;
}

void Forms::showMainWindow()
{
    ScreenTwips::centreOnScreen(form1_.get());
    form1_->show();
}

void Forms::canvasCreated(LabelDesign &design)
{
    form2_ = new Form2(design, workspace_.history(), workspace_.dialogs());
    form2_->setWindowIcon(form1_->windowIcon());
    form2_->dockBeside(form1_.get());
    form2_->setCloseGuard([this] { return mayCloseCanvas(); });
    connect(form2_, &Form2::closed, this, &Forms::unloadCanvasWindow);
}

void Forms::dataTableCreated(DataTable &table)
{
    form3_ = new Form3(table);
    form3_->setWindowIcon(form1_->windowIcon());
    form3_->setCloseGuard([this] { return mayCloseDataWindow(); });
    connect(form3_, &Form3::closed, this, &Forms::unloadDataWindow);
    connect(form3_, &Form3::rowClicked, &form1_->rowPreview(), &RowPreview::previewRow);
}

bool Forms::mayCloseCanvas()
{
    if (workspace_.isHeld()) return false;
    // A changed design asks whether to save it; "不保存" closes the window as ever.
    if (workspace_.history().designChanged())
        return SaveQuestion::mayDiscard(workspace_, form1_->commonDialog(), form2_);
    const LabelDesign &design = workspace_.canvas();
    if (design.fieldCount() <= 1 && !design.qrCodeInserted() && !design.barcodeInserted())
        return true;
    return messageBox(workspace_.dialogs(), form2_,
               QStringLiteral("关闭标签窗口会丢弃这张标签的设计：数据项、二维码和条形码，"
                              "以及它们的位置和字体。\n确实要关闭吗？"),
               MessageButtons::YesNo)
        == MessageAnswer::Yes;
}

bool Forms::mayCloseDataWindow()
{
    if (workspace_.isHeld()) return false;
    const DataTable &table = workspace_.dataTable();
    if (!table.hasSheet() || table.rows() <= 1) return true;
    return messageBox(workspace_.dialogs(), form3_,
               QStringLiteral("关闭数据源窗口会清空导入的数据表（%1行数据），"
                              "打印前须重新选择数据文件或导入布局。\n确实要关闭吗？")
                   .arg(table.rows() - 1),
               MessageButtons::YesNo)
        == MessageAnswer::Yes;
}

template<class Window> void Forms::unload(QPointer<Window> &window, bool now)
{
    Window *closing = window;
    if (!closing) return;
    window = nullptr;
    closing->detach();
    closing->hide();
    if (now)
        delete closing;
    else
        closing->deleteLater();
}

void Forms::unloadCanvasWindow()
{
    workspace_.discardCanvas();
}

void Forms::unloadDataWindow()
{
    workspace_.discardDataTable();
}

void Forms::pictureApplied()
{
    form1_->startDocking();
    form1_->makeRoomForCanvas();
    form2()->show();
}

void Forms::sheetImported()
{
    Form3 *window = form3();
    window->show();
    window->Command1_Click();
}

} // namespace tagloom
