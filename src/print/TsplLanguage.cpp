// A page in TSPL, after the TSPL/TSPL2 Programming Manual (TSC Auto ID Technology).
#include "TsplLanguage.h"

#include "DotPage.h"

#include <cmath>

namespace tagloom {

namespace {

QByteArray millimetres(double value)
{
    return QByteArray::number(std::round(value * 10) / 10, 'g', 6) + " mm";
}

QByteArray millimetresOfDots(int dots, int dotsPerInch)
{
    return millimetres(dots * 25.4 / dotsPerInch);
}

} // namespace

TsplLanguage::TsplLanguage(double gapMm)
    : gapMm_(gapMm)
{
}

QByteArray TsplLanguage::page(const DotPage &page, int copies)
{
    const QSize dots = page.size();
    const int rowBytes = page.bytesPerRow();
    QByteArray out;
    out.reserve(200 + page.rows().size());
    // SIZE m mm,n mm: the label's width and length.
    out += "SIZE " + millimetresOfDots(dots.width(), page.dotsPerInch()) + ","
        + millimetresOfDots(dots.height(), page.dotsPerInch()) + "\r\n";
    // GAP m mm,n mm: the gap between labels and its offset; GAP 0,0 for continuous paper.
    out += gapMm_ > 0 ? "GAP " + millimetres(gapMm_) + ",0 mm\r\n" : QByteArray("GAP 0,0\r\n");
    // DIRECTION n,m: print direction 1 (direction 0 turns the label half a turn), m = 0 for no
    // mirror image.
    out += "DIRECTION 1,0\r\n";
    // CLS clears the image buffer.
    out += "CLS\r\n";
    // BITMAP x,y,width in bytes,height in dots,mode,data: mode 0 overwrites; in the data a 0 bit
    // prints a dot and a 1 bit leaves the paper.
    out += "BITMAP 0,0," + QByteArray::number(rowBytes) + "," + QByteArray::number(dots.height())
        + ",0,";
    const qsizetype start = out.size();
    out += page.rows();
    for (qsizetype at = start; at < out.size(); ++at)
        out[at] = char(~out[at]);
    out += "\r\n";
    // PRINT m,n: m sets of the label, n copies of each.
    out += "PRINT 1," + QByteArray::number(copies) + "\r\n";
    return out;
}

} // namespace tagloom
