// TSPL read after the TSPL/TSPL2 Programming Manual: text commands ending in CR LF, BITMAP's
// data binary, a 0 bit for a printed dot.
#include "TsplPages.h"

namespace tagloom::test {

namespace {

double millimetres(const QByteArray &text)
{
    return text.trimmed().chopped(text.trimmed().endsWith("mm") ? 2 : 0).trimmed().toDouble();
}

} // namespace

QList<TsplPage> tsplPages(const QByteArray &tspl)
{
    QList<TsplPage> pages;
    TsplPage page;
    for (qsizetype at = 0; at < tspl.size();) {
        const qsizetype lineEnd = tspl.indexOf("\r\n", at);
        const QByteArray line = tspl.mid(at, (lineEnd < 0 ? tspl.size() : lineEnd) - at);
        const qsizetype space = line.indexOf(' ');
        const QByteArray command = line.left(space);
        const QList<QByteArray> fields = line.mid(space + 1).split(',');
        if (command == "BITMAP") {
            // BITMAP x,y,width in bytes,height,mode,data
            if (fields.size() < 6) return {};
            const int rowBytes = fields[2].toInt();
            const int height = fields[3].toInt();
            qsizetype data = at + space + 1;
            for (int comma = 0; comma < 5; ++comma)
                data = tspl.indexOf(',', data) + 1;
            if (rowBytes <= 0 || height <= 0 || data + rowBytes * height + 2 > tspl.size())
                return {};
            page.at = QPoint(fields[0].toInt(), fields[1].toInt());
            page.dots = QImage(rowBytes * 8, height, QImage::Format_Grayscale8);
            for (int y = 0; y < height; ++y) {
                uchar *out = page.dots.scanLine(y);
                const auto *in = reinterpret_cast<const uchar *>(tspl.constData()) + data
                    + qsizetype(y) * rowBytes;
                for (int x = 0; x < rowBytes * 8; ++x)
                    out[x] = (in[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
            }
            at = data + qsizetype(rowBytes) * height;
            if (tspl.mid(at, 2) != "\r\n") return {};
            at += 2;
            continue;
        }
        if (command == "SIZE" && fields.size() == 2)
            page.sizeMm = QSizeF(millimetres(fields[0]), millimetres(fields[1]));
        else if (command == "GAP" && fields.size() == 2)
            page.gapMm = millimetres(fields[0]);
        else if (command == "PRINT") {
            page.copies = fields.value(1, "1").toInt() * fields[0].toInt();
            pages.append(page);
            page = TsplPage();
        } else if (!QList<QByteArray> {"DIRECTION", "CLS", ""}.contains(command)) {
            return {};
        }
        at = lineEnd < 0 ? tspl.size() : lineEnd + 2;
    }
    return pages;
}

} // namespace tagloom::test
