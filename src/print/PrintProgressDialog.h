// The progress of a print run as people see it: a modal progress dialog with a Cancel button,
// shown when the run takes more than a moment.
#pragma once

#include "PrintProgress.h"

#include <QProgressDialog>

namespace tagloom {

class PrintProgressDialog : public PrintProgress
{
public:
    explicit PrintProgressDialog(QWidget *parent);

    bool advance(int pagesDone, int pagesInAll) override;

private:
    QProgressDialog dialog_;
};

} // namespace tagloom
