// Text measured in twips on a 1440 dpi device, and a quicker width meter for plain characters.
#include "TextMetrics.h"

#include "Twips.h"

#include <QHash>
#include <QImage>
#include <QRegularExpression>
#include <QTextLayout>

namespace tagloom {

namespace {

// A device of 1440 dots per inch: one of its pixels is one twip.
const QPaintDevice &twipsDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_Mono);
        const int dotsPerMeter = qRound(twipsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMeter);
        image.setDotsPerMeterY(dotsPerMeter);
        return image;
    }();
    return device;
}

// `font` sized for the twips device. Qt looks the face of every new copy of a font up afresh,
// which took a tenth of the time a label takes to draw; the copies made here are kept, a few
// hundred at most for each thread.
QFont inTwips(const QFont &font)
{
    thread_local QHash<QFont, QFont> known;
    const auto found = known.constFind(font);
    if (found != known.constEnd()) return *found;
    if (known.size() >= 256) known.clear();
    QFont sized(font, &twipsDevice());
    QFontMetricsF(sized).height(); // looks the face up now, for every copy to come
    known.insert(font, sized);
    return sized;
}

QFont withoutKerning(QFont font)
{
    font.setKerning(false);
    return font;
}

} // namespace

bool standsAlone(char16_t c)
{
    return (c >= 0x20 && c < 0x7f) || (c >= 0xa0 && c < 0x300) || (c >= 0x370 && c < 0x483)
        || (c >= 0x3000 && c < 0x3099) || (c > 0x309a && c < 0x3100) || (c >= 0x3400 && c < 0xa000)
        || (c >= 0xac00 && c < 0xd7a4) || (c >= 0xff01 && c < 0xff61);
}

QSizeF TextMetrics::captionSize(const QString &caption, const QFont &font)
{
    const QFontMetricsF metrics(inTwips(font));
    if (caption.isEmpty()) return {0.0, metrics.height()};
    return metrics
        .boundingRect(QRectF(), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, caption)
        .size();
}

double TextMetrics::textWidth(const QString &text, const QFont &font)
{
    return QFontMetricsF(inTwips(font)).horizontalAdvance(text);
}

QStringList TextMetrics::wrappedLines(const QString &text, const QFont &font, double width)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QStringList lines;
    for (const QString &paragraph : text.split(lineBreak)) {
        QTextLayout layout(paragraph, font, &twipsDevice());
        layout.setTextOption(option);
        layout.beginLayout();
        const qsizetype before = lines.size();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            // The spaces a line breaks at take no room at its end.
            QString shown = paragraph.mid(line.textStart(), line.textLength());
            while (!shown.isEmpty() && shown.back().isSpace())
                shown.chop(1);
            lines.append(shown);
        }
        layout.endLayout();
        if (lines.size() == before) lines.append(QString());
    }
    return lines;
}

double TextMetrics::lineSpacing(const QFont &font)
{
    return QFontMetricsF(inTwips(font)).lineSpacing();
}

TextWidthMeter::TextWidthMeter(QFont font)
    : font_(withoutKerning(std::move(font)))
    , metrics_(font_, &twipsDevice())
    , advances_(0x10000, -1.0F)
{
}

double TextWidthMeter::advance(char16_t character)
{
    float &known = advances_[character];
    if (known < 0) known = static_cast<float>(metrics_.horizontalAdvance(QChar(character)));
    return known;
}

double TextWidthMeter::operator()(const QString &text)
{
    double width = 0;
    bool afterWide = false;
    for (const QChar character : text) {
        const char16_t c = character.unicode();
        // A space or a Latin character right after Chinese, Japanese or Korean text may be drawn
        // in the font of that text: only shaping tells.
        if (!standsAlone(c) || (afterWide && c < 0x3000)) return metrics_.horizontalAdvance(text);
        afterWide = c >= 0x3000;
        width += advance(c);
    }
    return width;
}

} // namespace tagloom
