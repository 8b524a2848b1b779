// Making a print run's labels ahead of the painter.
#include "LabelsAhead.h"

#include "canvas/LabelContent.h"

#include <QImageReader>
#include <system_error>

namespace tagloom {

LabelsAhead::LabelsAhead(
    const LabelContent &content, QrLevel level, const QString &bitmapPath, const Sequence &sequence)
    : content_(content)
    , bitmapPath_(bitmapPath)
{
    qrMaker_.setLevel(level);
    if (!sequence) return;
    try {
        worker_
            = std::jthread([this, sequence](const std::stop_token &stop) { work(stop, sequence); });
    } catch (const std::system_error &) {
        // No thread to be had: the labels are made one by one as they are asked for.
    }
}

LabelsAhead::~LabelsAhead() = default;

bool LabelsAhead::make(const LabelNumbering &label, LabelRow &made, QString *reason)
{
    made = content_.row(label); // the barcode's symbol made with it
    if (!content_.feedsQrCode()) return true;
    qrMaker_.setCodeData(content_.qrText(label));
    qrMaker_.refresh();
    if (qrMaker_.codePicture()->isNull()) {
        made.qrPicture = PictureRef(); // an empty text: this label goes without the code
        return true;
    }
    if (!qrMaker_.saveBitmap(bitmapPath_, 2, reason)) return false;
    QImageReader reader(bitmapPath_, "bmp");
    QImage picture = reader.read();
    if (picture.isNull()) {
        *reason = QStringLiteral("无法读回二维码图片：%1").arg(reader.errorString());
        return false;
    }
    made.qrPicture = std::make_shared<const QImage>(std::move(picture));
    return true;
}

void LabelsAhead::work(const std::stop_token &stop, const Sequence &sequence)
{
    try {
        sequence([&](const LabelNumbering &label) {
            {
                std::unique_lock guard(lock_);
                // Once full, the thread waits until half are taken: woken for every label, it
                // cost the painter a system call a label.
                if (made_.size() >= mostAhead)
                    room_.wait(guard, stop, [this] { return made_.size() <= mostAhead / 2; });
                if (stop.stop_requested()) return false;
            }
            Made made;
            made.label = label;
            made.done = make(label, made.row, &made.reason);
            const bool more = made.done; // a label that failed is the run's last
            {
                const std::lock_guard guard(lock_);
                made_.push_back(std::move(made));
            }
            ready_.notify_one();
            return more;
        });
    } catch (...) {
        const std::lock_guard guard(lock_);
        thrown_ = std::current_exception();
    }
    {
        const std::lock_guard guard(lock_);
        ended_ = true;
    }
    ready_.notify_one();
}

bool LabelsAhead::next(const LabelNumbering &label, LabelRow &made, QString *reason)
{
    if (!worker_.joinable()) return make(label, made, reason);
    Made front;
    bool wake = false;
    {
        std::unique_lock guard(lock_);
        ready_.wait(guard, [this] { return !made_.empty() || ended_; });
        if (made_.empty()) {
            if (thrown_) std::rethrow_exception(thrown_);
            // The thread is done with the generator: a label beyond its sequence is made here.
            guard.unlock();
            return make(label, made, reason);
        }
        front = std::move(made_.front());
        made_.pop_front();
        wake = made_.size() == mostAhead / 2;
    }
    if (wake) room_.notify_one();
    Q_ASSERT(front.label.row == label.row && front.label.label == label.label);
    made = std::move(front.row);
    if (!front.done) *reason = front.reason;
    return front.done;
}

} // namespace tagloom
