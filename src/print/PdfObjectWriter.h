// The objects of a PDF file, written one after the other: numbered, their places kept for the
// cross-reference table, and streams deflated through one compressor kept for the whole file (a
// fresh compressor for every page costs more than the page). Deflating and writing run on a
// thread of their own, a bounded number of objects behind the drawing, so that a second core
// takes them while the next page is drawn.
#pragma once

#include <QByteArray>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>
#include <zlib.h>

class QIODevice;
class QPainterPath;

namespace tagloom {

class PdfObjectWriter
{
public:
    explicit PdfObjectWriter(QIODevice &out);
    ~PdfObjectWriter();
    PdfObjectWriter(const PdfObjectWriter &) = delete;
    PdfObjectWriter &operator=(const PdfObjectWriter &) = delete;

    // A number for an object written later, so that others can name it first.
    int reserve();
    // The object `object` (reserved, or a new one when 0) with `body` as its whole text; returns
    // its number.
    int write(const QByteArray &body, int object = 0);
    // A stream object: `dictionary` without its brackets, `data` deflated.
    int writeStream(const QByteArray &dictionary, const QByteArray &data, int object = 0);
    // The cross-reference table and the trailer; false when anything could not be written or an
    // object reserved was never written.
    bool finish(int catalog, int info);
    // Whether a write or the compressor failed so far.
    bool failed() const;

private:
    struct Piece
    {
        int object; // 0: bytes outside any object
        QByteArray dictionary;
        QByteArray data;
        bool stream;
    };
    void queue(Piece piece);
    void writeQueued();
    void put(const QByteArray &bytes);
    void writePiece(const Piece &piece);

    QIODevice &out_;
    int objects_ = 0; // numbered so far
    // Of the writing thread alone, until finish.
    qint64 position_ = 0;
    std::vector<qint64> offsets_; // of object n at n - 1; -1 while only reserved
    z_stream zlib_ {};
    QByteArray packed_;

    mutable std::mutex mutex_;
    std::condition_variable piecesWaiting_; // the writing thread waits here
    std::condition_variable roomLeft_; // the drawing waits here
    std::deque<Piece> pieces_;
    bool writing_ = false; // a piece taken off the queue and not yet written
    bool finishing_ = false;
    bool stopping_ = false;
    bool failed_ = false;
    std::thread writer_;
};

// A text string as PDF writes one for people to read: UTF-16 with its byte order mark, in
// hexadecimal.
QByteArray pdfTextString(const QString &text);

// Appends the path's operators (m, l, c), its y coordinates multiplied by `yScale` (-1 turns a
// y-down outline into glyph space), numbers to `decimals` places.
void appendPdfPath(QByteArray &out, const QPainterPath &path, double yScale, int decimals);

// Appends a number as PDF writes it: fixed point, at most `decimals` places, no trailing zeros.
void appendPdfNumber(QByteArray &out, double value, int decimals = 3);

} // namespace tagloom
