#include "TextMetrics.h"

#include "Twips.h"

#include <QFontMetricsF>
#include <QImage>

namespace tagloom {

// A device of 1440 dots per inch: one of its pixels is one twip.
static const QPaintDevice &twipsDevice()
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

QSizeF TextMetrics::captionSize(const QString &caption, const QFont &font)
{
    const QFontMetricsF metrics(font, &twipsDevice());
    if (caption.isEmpty())
        return {0.0, metrics.height()};
    return metrics.boundingRect(QRectF(), Qt::AlignLeft | Qt::AlignTop | Qt::TextExpandTabs, caption).size();
}

double TextMetrics::textWidth(const QString &text, const QFont &font)
{
    return QFontMetricsF(font, &twipsDevice()).horizontalAdvance(text);
}

} // namespace tagloom
