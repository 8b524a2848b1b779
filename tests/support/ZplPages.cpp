// ZPL as CUPS's rastertolabel writes it: each page is a graphic "~DGR:CUPS.GRF,<bytes>,<bytes per
// row>," in compressed ASCII hex, then a "^XA … ^XZ" format that prints it.
#include "ZplPages.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

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
    static const QByteArray graphic = "~DGR:CUPS.GRF,";
    QList<ZplPage> pages;
    qsizetype at = zpl.indexOf(graphic);
    while (at >= 0) {
        const qsizetype header = at + graphic.size();
        const qsizetype firstComma = zpl.indexOf(',', header);
        const qsizetype secondComma = zpl.indexOf(',', firstComma + 1);
        const qsizetype formatStart = zpl.indexOf("^XA", secondComma);
        const qsizetype formatEnd = zpl.indexOf("^XZ", formatStart);
        if (firstComma < 0 || secondComma < 0 || formatStart < 0 || formatEnd < 0) return {};
        const int totalBytes = zpl.mid(header, firstComma - header).toInt();
        const int bytesPerRow = zpl.mid(firstComma + 1, secondComma - firstComma - 1).toInt();
        if (totalBytes <= 0 || bytesPerRow <= 0 || totalBytes % bytesPerRow != 0) return {};
        const std::optional<QByteArray> bytes = expandHex(
            zpl.mid(secondComma + 1, formatStart - secondComma - 1), bytesPerRow, totalBytes);
        if (!bytes) return {};
        const QByteArray format = zpl.mid(formatStart, formatEnd - formatStart);
        ZplPage page;
        page.printWidth = field(format, "^PW", 8 * bytesPerRow);
        page.quantity = field(format, "^PQ", 1);
        page.dots = bitmapOf(*bytes, bytesPerRow, std::min(page.printWidth, 8 * bytesPerRow));
        pages.append(page);
        at = zpl.indexOf(graphic, formatEnd);
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
