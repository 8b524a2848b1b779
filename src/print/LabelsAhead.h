// The labels of a print run made on a thread of their own while the painter draws the ones before:
// each label's row, its QR code made and sent through the bitmap file and back, its barcode's
// symbol, in order, a bounded number ahead. The thread reads the design and the table only; it
// makes the QR codes with a generator of its own, at the design's level, and never touches the
// design's. Without a thread the labels are made when they are asked for.
#pragma once

#include "canvas/LabelRow.h"
#include "canvas/TextTemplate.h"
#include "codes/QrMaker.h"

#include <condition_variable>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace tagloom {

class LabelContent;

class LabelsAhead
{
public:
    // Calls `label` for the labels to make, in order, until it returns false.
    using Sequence = std::function<void(const std::function<bool(const LabelNumbering &)> &label)>;

    // Labels made but not yet asked for: enough to keep the painter busy, few enough to cost
    // little memory and to leave little work undone when the run stops.
    static constexpr size_t mostAhead = 32;

    // A `sequence` starts the thread that makes its labels; with none, or when no thread can be
    // had, each label is made by next().
    LabelsAhead(const LabelContent &content, QrLevel level, const QString &bitmapPath,
        const Sequence &sequence = {});
    // Stops the thread, unless it is done, and waits for it.
    ~LabelsAhead();

    // The next label, which is `label`; false, saying why, when its QR code's bitmap failed. What
    // making it threw is thrown here.
    bool next(const LabelNumbering &label, LabelRow &made, QString *reason);

private:
    struct Made
    {
        LabelNumbering label;
        bool done = false;
        LabelRow row;
        QString reason;
    };

    bool make(const LabelNumbering &label, LabelRow &made, QString *reason);
    void work(const std::stop_token &stop, const Sequence &sequence);

    const LabelContent &content_;
    const QString bitmapPath_;
    QrMaker qrMaker_;
    std::mutex lock_;
    std::condition_variable_any room_; // the thread waits for the painter to take labels
    std::condition_variable ready_; // the painter waits for the next label
    std::deque<Made> made_;
    bool ended_ = false; // the thread made its last label
    std::exception_ptr thrown_; // what stopped it after the labels it made
    std::jthread worker_; // last: it stops before what it works with goes
};

} // namespace tagloom
