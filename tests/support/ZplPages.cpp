// ZPL graphics: CUPS's rastertolabel stores each page as "~DGR:CUPS.GRF,<bytes>,<bytes per row>,"
// in compressed ASCII hex and prints it from a "^XA … ^XGR:… ^XZ" format; a format may also carry
// its graphic as "^GFA,<bytes>,<bytes>,<bytes per row>,<hex>".
#include "ZplPages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <optional>

namespace tagloom::test {

namespace {

// ZPL's hex compression: G..Y repeat the next digit 1..19 times, g..z add 20..400 to the count,
// ',' fills the row with 0, '!' with F, ':' repeats the previous row.
std::optional<QByteArray> expandHex(const QByteArray &data, int bytesPerRow, int totalBytes)
{
    const int digitsPerRow = 2 * bytesPerRow;
    QByteArray digits;
    digits.reserve(2 * totalBytes);
    QByteArray row;
    QByteArray previousRow(digitsPerRow, '0');
    int repeat = 0;
    const auto endRow = [&](char fill) {
        if (row.size() > digitsPerRow) return false;
        row.append(digitsPerRow - row.size(), fill);
        digits += row;
        previousRow = row;
        row.clear();
        return true;
    };
    for (const char c : data) {
        if (c >= 'G' && c <= 'Y') {
            repeat += c - 'G' + 1;
        } else if (c >= 'g' && c <= 'z') {
            repeat += (c - 'g' + 1) * 20;
        } else if (std::isxdigit(static_cast<unsigned char>(c))) {
            row.append(std::max(repeat, 1), c);
            repeat = 0;
            if (row.size() == digitsPerRow && !endRow('0')) return std::nullopt;
        } else if (c == ',' || c == '!') {
            if (!endRow(c == ',' ? '0' : 'F')) return std::nullopt;
        } else if (c == ':') {
            if (!row.isEmpty()) return std::nullopt;
            row = previousRow;
            endRow('0');
        } else if (!std::isspace(static_cast<unsigned char>(c))) {
            return std::nullopt;
        }
        if (row.size() > digitsPerRow) return std::nullopt;
    }
    if (!row.isEmpty() && !endRow('0')) return std::nullopt;
    if (digits.size() != 2 * totalBytes) return std::nullopt;
    return QByteArray::fromHex(digits);
}

QImage bitmapOf(const QByteArray &bytes, int bytesPerRow, int width)
{
    const int rows = static_cast<int>(bytes.size() / bytesPerRow);
    QImage image(width, rows, QImage::Format_Grayscale8);
    for (int y = 0; y < rows; ++y) {
        uchar *line = image.scanLine(y);
        const auto *source = reinterpret_cast<const uchar *>(bytes.constData()) + y * bytesPerRow;
        for (int x = 0; x < width; ++x)
            line[x] = (source[x >> 3] >> (7 - (x & 7))) & 1 ? 0 : 255;
    }
    return image;
}

int field(const QByteArray &format, const char *command, int otherwise)
{
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("\\%1(\\d+)").arg(QLatin1String(command)))
              .match(QString::fromLatin1(format));
    return match.hasMatch() ? match.captured(1).toInt() : otherwise;
}

} // namespace

QList<ZplPage> zplPages(const QByteArray &zpl)
{
    struct Graphic
    {
        int totalBytes = 0;
        int bytesPerRow = 0;
        QByteArray hex;
    };
    // "<total bytes>,<bytes per row>,<hex>" up to `end`.
    const auto graphicAt = [&zpl](qsizetype from, qsizetype end) -> std::optional<Graphic> {
        const qsizetype firstComma = zpl.indexOf(',', from);
        const qsizetype secondComma = zpl.indexOf(',', firstComma + 1);
        if (firstComma < 0 || secondComma < 0 || secondComma > end) return std::nullopt;
        Graphic graphic {zpl.mid(from, firstComma - from).toInt(),
            zpl.mid(firstComma + 1, secondComma - firstComma - 1).toInt(),
            zpl.mid(secondComma + 1, end - secondComma - 1)};
        if (graphic.totalBytes <= 0 || graphic.bytesPerRow <= 0
            || graphic.totalBytes % graphic.bytesPerRow != 0)
            return std::nullopt;
        return graphic;
    };
    static const QByteArray stored = "~DGR:CUPS.GRF,";
    static const QByteArray inline_ = "^GFA,";
    QList<ZplPage> pages;
    std::optional<Graphic> lastStored;
    for (qsizetype at = 0;;) {
        const qsizetype download = zpl.indexOf(stored, at);
        const qsizetype format = zpl.indexOf("^XA", at);
        if (format < 0) break;
        if (download >= 0 && download < format) {
            lastStored = graphicAt(download + stored.size(), format);
            if (!lastStored) return {};
            at = format;
            continue;
        }
        const qsizetype formatEnd = zpl.indexOf("^XZ", format);
        if (formatEnd < 0) return {};
        const QByteArray text = zpl.mid(format, formatEnd - format);
        std::optional<Graphic> graphic;
        if (text.contains("^XGR:")) {
            graphic = lastStored;
        } else if (const qsizetype gf = zpl.indexOf(inline_, format); gf >= 0 && gf < formatEnd) {
            // ^GFA,b,c,d,data: b bytes sent, c bytes of graphic, d bytes a row.
            const qsizetype countEnd = zpl.indexOf(',', gf + inline_.size());
            graphic = graphicAt(countEnd + 1, zpl.indexOf("^FS", gf));
            if (!graphic) return {};
        }
        at = formatEnd + 3;
        if (!graphic) continue; // a format that prints no graphic
        const std::optional<QByteArray> bytes
            = expandHex(graphic->hex, graphic->bytesPerRow, graphic->totalBytes);
        if (!bytes) return {};
        ZplPage page;
        page.printWidth = field(text, "^PW", 8 * graphic->bytesPerRow);
        page.labelLength = field(text, "^LL", 0);
        page.quantity = field(text, "^PQ", 1);
        page.dots = bitmapOf(
            *bytes, graphic->bytesPerRow, std::min(page.printWidth, 8 * graphic->bytesPerRow));
        pages.append(page);
    }
    return pages;
}

QString zplSpoolFile(const QString &queue)
{
    return QDir(qEnvironmentVariable("TAGLOOM_LABEL_SPOOL")).filePath(queue + ".out");
}

QList<ZplPage> zplPagesPrinted(const QString &queue)
{
    const QString file = zplSpoolFile(queue);
    qint64 size = -1;
    QElapsedTimer unchanged;
    const bool done = QTest::qWaitFor(
        [&] {
            QProcess jobs;
            jobs.start(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue});
            jobs.waitForFinished();
            if (!jobs.readAllStandardOutput().trimmed().isEmpty()) return false;
            const qint64 now = QFileInfo(file).size();
            if (now != size) {
                size = now;
                unchanged.start();
            }
            return size > 0 && unchanged.elapsed() > 300;
        },
        60000);
    QFile zpl(file);
    if (!done || !zpl.open(QIODevice::ReadOnly)) return {};
    return zplPages(zpl.readAll());
}

} // namespace tagloom::test
