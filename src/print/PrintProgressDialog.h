// The progress of a print run as people see it: a modal progress dialog with a Cancel button,
// shown when the pages take more than a moment.
#pragma once

#include "PrintProgress.h"

#include <QPointer>
#include <QProgressDialog>

namespace tagloom {

class PrintProgressDialog : public PrintProgress
{
public:
    explicit PrintProgressDialog(QWidget *parent);
    ~PrintProgressDialog() override;

    bool advance(int pagesDone, int pagesInAll) override;
    void end() override;

private:
    QWidget *parent_;
    // Made at the first page, not before: a progress dialog arms its show timer when it is
    // made, and would otherwise pop up over the confirmation and take its keyboard focus.
    QPointer<QProgressDialog> dialog_;
};

} // namespace tagloom
