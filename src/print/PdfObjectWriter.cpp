// PDF objects, their offsets and deflated streams.
#include "PdfObjectWriter.h"

#include <QIODevice>
#include <QPainterPath>
#include <QString>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace tagloom {

QByteArray pdfTextString(const QString &text)
{
    QByteArray out = "<FEFF";
    for (const QChar unit : text)
        out += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return out + '>';
}

void appendPdfPath(QByteArray &out, const QPainterPath &path, double yScale, int decimals)
{
    const auto point = [&](const QPainterPath::Element &at) {
        appendPdfNumber(out, at.x, decimals);
        out += ' ';
        appendPdfNumber(out, at.y * yScale, decimals);
        out += ' ';
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element &element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            point(element);
            out += "m\n";
            break;
        case QPainterPath::LineToElement:
            point(element);
            out += "l\n";
            break;
        case QPainterPath::CurveToElement:
            point(element);
            point(path.elementAt(i + 1));
            point(path.elementAt(i + 2));
            out += "c\n";
            i += 2;
            break;
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
}

void appendPdfNumber(QByteArray &out, double value, int decimals)
{
    // In whole units of the last place: integer formatting is several times faster than a
    // floating point one, and content is mostly numbers.
    static constexpr qint64 scales[]
        = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
    decimals = std::clamp(decimals, 0, 8);
    const double scaled = value * double(scales[decimals]);
    if (!std::isfinite(scaled) || std::abs(scaled) > 9e15) {
        out += '0';
        return;
    }
    qint64 units = std::llround(scaled);
    char text[32];
    char *end = text;
    if (units < 0) {
        *end++ = '-';
        units = -units;
    }
    const qint64 whole = units / scales[decimals];
    qint64 fraction = units % scales[decimals];
    end = std::to_chars(end, text + sizeof text, whole).ptr;
    if (fraction != 0) {
        *end++ = '.';
        int places = decimals;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --places;
        }
        char digits[16];
        char *last = std::to_chars(digits, digits + sizeof digits, fraction).ptr;
        for (qsizetype pad = places - (last - digits); pad > 0; --pad)
            *end++ = '0';
        end = std::copy(digits, last, end);
    } else if (units == 0) {
        end = text; // "-0" from a tiny negative value
        *end++ = '0';
    }
    out.append(text, end - text);
}

namespace {

// Objects waiting to be written, at most: a few pages' worth. The writing thread is woken for a
// batch of them, not for every one.
constexpr size_t mostQueued = 256;
constexpr size_t batch = 128;

} // namespace

PdfObjectWriter::PdfObjectWriter(QIODevice &out)
    : out_(out)
{
    // The fastest level: label pages are small and alike, and deflating harder took a third of
    // a PDF's time for a tenth of its size.
    failed_ = deflateInit(&zlib_, Z_BEST_SPEED) != Z_OK;
    put("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
    writer_ = std::thread([this] { writeQueued(); });
}

PdfObjectWriter::~PdfObjectWriter()
{
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        pieces_.clear();
    }
    piecesWaiting_.notify_all();
    roomLeft_.notify_all();
    writer_.join();
    deflateEnd(&zlib_);
}

int PdfObjectWriter::reserve()
{
    return ++objects_;
}

int PdfObjectWriter::write(const QByteArray &body, int object)
{
    if (object == 0) object = reserve();
    queue({object, {}, body, false});
    return object;
}

int PdfObjectWriter::writeStream(const QByteArray &dictionary, const QByteArray &data, int object)
{
    if (object == 0) object = reserve();
    queue({object, dictionary, data, true});
    return object;
}

bool PdfObjectWriter::failed() const
{
    const std::lock_guard lock(mutex_);
    return failed_;
}

void PdfObjectWriter::queue(Piece piece)
{
    std::unique_lock lock(mutex_);
    roomLeft_.wait(lock, [this] { return pieces_.size() < mostQueued || stopping_; });
    pieces_.push_back(std::move(piece));
    const bool wake = pieces_.size() == batch;
    lock.unlock();
    if (wake) piecesWaiting_.notify_one();
}

void PdfObjectWriter::writeQueued()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        piecesWaiting_.wait(lock, [this] {
            return pieces_.size() >= batch || ((finishing_ || stopping_) && !pieces_.empty())
                || stopping_;
        });
        if (pieces_.empty()) return;
        const Piece piece = std::move(pieces_.front());
        pieces_.pop_front();
        writing_ = true;
        lock.unlock();
        roomLeft_.notify_one();
        writePiece(piece);
        lock.lock();
        writing_ = false;
        if (pieces_.empty()) roomLeft_.notify_all();
    }
}

void PdfObjectWriter::put(const QByteArray &bytes)
{
    if (out_.write(bytes) != bytes.size()) {
        const std::lock_guard lock(mutex_);
        failed_ = true;
    }
    position_ += bytes.size();
}

void PdfObjectWriter::writePiece(const Piece &piece)
{
    if (offsets_.size() < size_t(piece.object)) offsets_.resize(size_t(piece.object), -1);
    offsets_[size_t(piece.object - 1)] = position_;
    put(QByteArray::number(piece.object) + " 0 obj\n");
    if (!piece.stream) {
        put(piece.data);
        put("\nendobj\n");
        return;
    }
    deflateReset(&zlib_);
    packed_.resize(qsizetype(deflateBound(&zlib_, uLong(piece.data.size()))));
    zlib_.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(piece.data.constData()));
    zlib_.avail_in = uInt(piece.data.size());
    zlib_.next_out = reinterpret_cast<Bytef *>(packed_.data());
    zlib_.avail_out = uInt(packed_.size());
    if (deflate(&zlib_, Z_FINISH) != Z_STREAM_END) {
        const std::lock_guard lock(mutex_);
        failed_ = true;
    }
    packed_.resize(packed_.size() - qsizetype(zlib_.avail_out));
    put("<< " + piece.dictionary + " /Filter /FlateDecode /Length "
        + QByteArray::number(packed_.size()) + " >>\nstream\n");
    put(packed_);
    put("\nendstream\nendobj\n");
}

bool PdfObjectWriter::finish(int catalog, int info)
{
    {
        std::unique_lock lock(mutex_);
        finishing_ = true;
        piecesWaiting_.notify_one();
        roomLeft_.wait(lock, [this] { return pieces_.empty() && !writing_; });
    }
    // The writing thread is idle: its state is ours now.
    offsets_.resize(size_t(objects_), -1);
    const qint64 table = position_;
    QByteArray xref = "xref\n0 " + QByteArray::number(objects_ + 1) + "\n0000000000 65535 f \n";
    bool whole = true;
    for (const qint64 offset : offsets_) {
        whole = whole && offset >= 0;
        xref += QByteArray::number(std::max<qint64>(offset, 0)).rightJustified(10, '0')
            + " 00000 n \n";
    }
    put(xref);
    put("trailer\n<< /Size " + QByteArray::number(objects_ + 1) + " /Root "
        + QByteArray::number(catalog) + " 0 R /Info " + QByteArray::number(info)
        + " 0 R >>\nstartxref\n" + QByteArray::number(table) + "\n%%EOF\n");
    return whole && !failed();
}

} // namespace tagloom
