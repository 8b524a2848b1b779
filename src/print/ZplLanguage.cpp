// A label in ZPL II, after the ZPL II Programming Guide (Zebra Technologies).
#include "ZplLanguage.h"

#include "DotPage.h"

#include <algorithm>

namespace tagloom {

namespace {

constexpr char hexDigits[] = "0123456789ABCDEF";

// A run of one hex digit: the repeat count as ZPL's count letters (g..z add 20..400, G..Y add
// 1..19) before the digit, in pieces of at most 419.
void appendRun(QByteArray &out, int count, char digit)
{
    while (count > 0) {
        const int piece = std::min(count, 419);
        if (piece > 1) {
            if (piece / 20 > 0) out += char('g' + piece / 20 - 1);
            if (piece % 20 > 0) out += char('G' + piece % 20 - 1);
        }
        out += digit;
        count -= piece;
    }
}

} // namespace

ZplLanguage::ZplLanguage(double gapMm)
    : gapMm_(gapMm)
{
}

// "Alternative Data Compression Scheme for ~DG and ~DB Commands", which ^GF takes as well: a row
// the same as the one before is ':', the rest of a row all 0 is ',' and all F is '!', and a digit
// repeated carries its count.
QByteArray ZplLanguage::compressedHex(const DotPage &page)
{
    const int rowBytes = page.bytesPerRow();
    QByteArray out;
    QByteArray digits(2 * rowBytes, '0');
    for (int y = 0; y < page.size().height(); ++y) {
        const char *row = page.row(y);
        if (y > 0 && std::equal(row, row + rowBytes, page.row(y - 1))) {
            out += ':';
            continue;
        }
        for (int byte = 0; byte < rowBytes; ++byte) {
            digits[2 * byte] = hexDigits[uchar(row[byte]) >> 4];
            digits[2 * byte + 1] = hexDigits[uchar(row[byte]) & 0xF];
        }
        int end = int(digits.size());
        const char last = digits[end - 1];
        while (end > 0 && digits[end - 1] == last)
            --end;
        const bool filledToTheEnd = (last == '0' || last == 'F') && end + 1 < digits.size();
        const int runsEnd = filledToTheEnd ? end : int(digits.size());
        for (int at = 0; at < runsEnd;) {
            int next = at;
            while (next < runsEnd && digits[next] == digits[at])
                ++next;
            appendRun(out, next - at, digits[at]);
            at = next;
        }
        if (filledToTheEnd) out += last == '0' ? ',' : '!';
    }
    return out;
}

QByteArray ZplLanguage::page(const DotPage &page, int copies)
{
    const QByteArray total
        = QByteArray::number(qsizetype(page.bytesPerRow()) * page.size().height());
    QByteArray out = "^XA\n";
    // ^POI: the format turned half a turn, as CUPS's Zebra driver prints, so that a printer
    // calibrated with either gets the label the same way round.
    out += "^POI\n";
    // ^PW: the print width, ^LL: the label length, both in dots; ^LH: the label home.
    out += "^PW" + QByteArray::number(page.size().width()) + "\n";
    out += "^LL" + QByteArray::number(page.size().height()) + "\n";
    out += "^LH0,0\n";
    // ^MN: media tracking, Y for labels with a gap between them, N for continuous paper.
    out += gapMm_ > 0 ? "^MNY\n" : "^MNN\n";
    // ^GFA,b,c,d,data: ASCII hex graphic field of c bytes (b, the bytes sent, is the same for the
    // ASCII form), d bytes a row, placed at the label's top left (^FO0,0).
    out += "^FO0,0^GFA," + total + "," + total + "," + QByteArray::number(page.bytesPerRow()) + ",";
    out += compressedHex(page);
    out += "^FS\n";
    // ^PQ: how many of the label.
    out += "^PQ" + QByteArray::number(copies) + "\n";
    out += "^XZ\n";
    return out;
}

} // namespace tagloom
