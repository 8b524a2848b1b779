// The minimal PDF writer of the benchmark.
#include "MinimalPdfWriter.h"

#include <QGlyphRun>
#include <QTextLayout>

namespace tagloom::bench {

namespace {

QByteArray number(double value)
{
    return QByteArray::number(value, 'f', 2);
}

} // namespace

MinimalPdfWriter::MinimalPdfWriter(const QString &path, const Layout &layout, const QImage &picture)
    : file_(path)
    , layout_(layout)
{
    deflateInit(&zlib_, Z_DEFAULT_COMPRESSION);
    file_.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file_.write("%PDF-1.4\n");
    offsets_.resize(fontsObject);
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    QByteArray pixels;
    for (int y = 0; y < rgb.height(); ++y)
        pixels.append(reinterpret_cast<const char *>(rgb.constScanLine(y)), rgb.width() * 3);
    offsets_[background - 1] = file_.pos();
    file_.write("3 0 obj\n");
    writeStream("/Type /XObject /Subtype /Image /Width " + QByteArray::number(rgb.width())
            + " /Height " + QByteArray::number(rgb.height())
            + " /ColorSpace /DeviceRGB /BitsPerComponent 8",
        pixels);
}

MinimalPdfWriter::~MinimalPdfWriter()
{
    deflateEnd(&zlib_);
}

QByteArray MinimalPdfWriter::deflated(const QByteArray &data)
{
    deflateReset(&zlib_);
    QByteArray out(int(deflateBound(&zlib_, uLong(data.size()))), Qt::Uninitialized);
    zlib_.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    zlib_.avail_in = uInt(data.size());
    zlib_.next_out = reinterpret_cast<Bytef *>(out.data());
    zlib_.avail_out = uInt(out.size());
    deflate(&zlib_, Z_FINISH);
    out.resize(out.size() - int(zlib_.avail_out));
    return out;
}

int MinimalPdfWriter::startObject()
{
    offsets_.append(file_.pos());
    const int object = int(offsets_.size());
    file_.write(QByteArray::number(object) + " 0 obj\n");
    return object;
}

void MinimalPdfWriter::writeStream(const QByteArray &dictionary, const QByteArray &data)
{
    const QByteArray packed = deflated(data);
    file_.write("<< " + dictionary + " /Filter /FlateDecode /Length "
        + QByteArray::number(packed.size()) + " >>\nstream\n");
    file_.write(packed);
    file_.write("\nendstream\nendobj\n");
}

QByteArray MinimalPdfWriter::fontResource(const QRawFont &font)
{
    const QString family = font.familyName();
    auto known = fonts_.find(family);
    if (known == fonts_.end()) known = fonts_.insert(family, int(fonts_.size()));
    return "/F" + QByteArray::number(*known);
}

QByteArray MinimalPdfWriter::text(const QString &text, const QFont &font, const QPointF &place)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QByteArray out;
    const double height = layout_.pagePoints.height();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        const QRawFont raw = run.rawFont();
        // Sizes are pixels of a 72 dpi device here: points.
        out += "BT " + fontResource(raw) + " " + number(raw.pixelSize()) + " Tf\n";
        for (qsizetype g = 0; g < glyphs.size(); ++g)
            out += "1 0 0 1 " + number(place.x() + positions[g].x()) + " "
                + number(height - place.y() - positions[g].y()) + " Tm <"
                + QByteArray::number(glyphs[g], 16).rightJustified(4, '0') + "> Tj\n";
        out += "ET\n";
    }
    return out;
}

void MinimalPdfWriter::addPage(const Page &page)
{
    const double height = layout_.pagePoints.height();
    // The QR code: one bit a module, 1 for white as DeviceGray has it.
    const QImage mono = page.qr.convertToFormat(QImage::Format_Mono);
    QByteArray bits;
    const int rowBytes = (mono.width() + 7) / 8;
    const bool blackIsZero = qGray(mono.color(0)) < 128;
    for (int y = 0; y < mono.height(); ++y) {
        QByteArray row(reinterpret_cast<const char *>(mono.constScanLine(y)), rowBytes);
        if (!blackIsZero)
            for (char &byte : row)
                byte = char(~byte);
        bits += row;
    }
    const int qrObject = startObject();
    writeStream("/Type /XObject /Subtype /Image /Width " + QByteArray::number(mono.width())
            + " /Height " + QByteArray::number(mono.height())
            + " /ColorSpace /DeviceGray /BitsPerComponent 1",
        bits);

    QByteArray content = "q " + number(layout_.pagePoints.width()) + " 0 0 " + number(height)
        + " 0 0 cm /Im0 Do Q\n";
    const QRectF &qr = layout_.qr;
    content += "q " + number(qr.width()) + " 0 0 " + number(qr.height()) + " " + number(qr.left())
        + " " + number(height - qr.bottom()) + " cm /Im1 Do Q\n";
    const QRectF &strip = layout_.barcode;
    const double module = strip.width() / std::max(1, page.barModules);
    for (const auto &[start, width] : page.bars)
        content += number(strip.left() + start * module) + " " + number(height - strip.bottom())
            + " " + number(width * module) + " " + number(strip.height()) + " re\n";
    content += "f\n";
    for (qsizetype k = 0; k < page.texts.size(); ++k)
        content += text(page.texts[k], layout_.fonts[k], layout_.textPlaces[k]);
    const int contentObject = startObject();
    writeStream({}, content);

    pageObjects_.append(startObject());
    file_.write("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " + number(layout_.pagePoints.width())
        + " " + number(height) + "] /Contents " + QByteArray::number(contentObject)
        + " 0 R /Resources << /Font 4 0 R " + "/XObject << /Im0 3 0 R /Im1 "
        + QByteArray::number(qrObject) + " 0 R >> >> >>\nendobj\n");
}

bool MinimalPdfWriter::finish()
{
    // Every page names this one dictionary of the fonts, one composite font per family.
    QByteArray fontDictionary;
    for (auto font = fonts_.cbegin(); font != fonts_.cend(); ++font) {
        const QByteArray name = font.key().toLatin1().replace(' ', '-');
        const int descendant = startObject();
        file_.write("<< /Type /Font /Subtype /CIDFontType2 /BaseFont /" + name
            + " /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> >>\n"
              "endobj\n");
        const int composite = startObject();
        file_.write("<< /Type /Font /Subtype /Type0 /BaseFont /" + name
            + " /Encoding /Identity-H /DescendantFonts [" + QByteArray::number(descendant)
            + " 0 R] >>\nendobj\n");
        fontDictionary += "/F" + QByteArray::number(font.value()) + " "
            + QByteArray::number(composite) + " 0 R ";
    }
    offsets_[fontsObject - 1] = file_.pos();
    file_.write("4 0 obj\n<< " + fontDictionary + ">>\nendobj\n");
    offsets_[catalog - 1] = file_.pos();
    file_.write("1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n");
    offsets_[pages - 1] = file_.pos();
    QByteArray kids;
    for (const int page : pageObjects_)
        kids += QByteArray::number(page) + " 0 R ";
    file_.write("2 0 obj\n<< /Type /Pages /Count " + QByteArray::number(pageObjects_.size())
        + " /Kids [" + kids + "] >>\nendobj\n");
    const qint64 xref = file_.pos();
    file_.write("xref\n0 " + QByteArray::number(offsets_.size() + 1) + "\n0000000000 65535 f \n");
    for (const qint64 offset : offsets_)
        file_.write(QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n");
    file_.write("trailer\n<< /Size " + QByteArray::number(offsets_.size() + 1)
        + " /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n");
    return file_.error() == QFileDevice::NoError && file_.flush();
}

} // namespace tagloom::bench
