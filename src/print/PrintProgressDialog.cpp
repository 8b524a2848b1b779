// The print run's progress dialog and its Cancel button.
#include "PrintProgressDialog.h"

namespace tagloom {

PrintProgressDialog::PrintProgressDialog(QWidget *parent)
    : parent_(parent)
{
}

PrintProgressDialog::~PrintProgressDialog()
{
    delete dialog_.data();
}

bool PrintProgressDialog::advance(int pagesDone, int pagesInAll)
{
    if (!dialog_) {
        dialog_ = new QProgressDialog(parent_);
        dialog_->setObjectName(QStringLiteral("PrintProgress"));
        dialog_->setWindowTitle(QStringLiteral("打印"));
        dialog_->setCancelButtonText(QStringLiteral("取消"));
        // Every window waits for the run: it works on the canvas and the data table.
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(500);
        dialog_->setAutoClose(true);
    }
    dialog_->setMaximum(pagesInAll);
    dialog_->setLabelText(QStringLiteral("正在打印第%1张标签，共%2张")
                              .arg(std::min(pagesDone + 1, pagesInAll))
                              .arg(pagesInAll));
    dialog_->setValue(pagesDone);
    return !dialog_->wasCanceled();
}

void PrintProgressDialog::end()
{
    // The run's last message must not open under a progress dialog, nor its show timer bring it
    // back while that message waits.
    delete dialog_.data();
}

} // namespace tagloom
