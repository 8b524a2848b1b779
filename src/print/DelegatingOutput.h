// An output that learns only when the job begins how its pages go (a queue's driver, a printer's
// language): it makes the job then and hands everything on to it.
#pragma once

#include "LabelOutput.h"

#include <memory>

namespace tagloom {

class DelegatingOutput : public LabelOutput
{
public:
    bool begin(const QSizeF &labelTwips, QString *reason) final
    {
        job_ = makeJob(labelTwips, reason);
        return job_ && job_->begin(labelTwips, reason);
    }
    QPainter &painter() final { return job_->painter(); }
    bool nextPage(QString *reason) final { return job_->nextPage(reason); }
    bool finish(QString *reason) final { return job_ && job_->finish(reason); }
    int labelsAlreadySent() const final { return job_ ? job_->labelsAlreadySent() : 0; }
    std::optional<double> dotsPerTwip() const final
    {
        return job_ ? job_->dotsPerTwip() : std::nullopt;
    }

protected:
    // The job for labels of this size, or nothing with a reason.
    virtual std::unique_ptr<LabelOutput> makeJob(const QSizeF &labelTwips, QString *reason) = 0;

private:
    std::unique_ptr<LabelOutput> job_;
};

} // namespace tagloom
