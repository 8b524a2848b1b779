// The calibration label.
#include "CalibrationLabel.h"

#include "LabelOutput.h"
#include "canvas/Twips.h"

#include <QPainter>

namespace tagloom {

namespace {

constexpr double lineTwips
    = 0.25 * twipsPerMillimetre; // thin, yet two dots wide on a 203 dpi printer
constexpr int scaleCheckMm = 50;

// Ticks every millimetre along one edge, longer every 5 and 10 mm, numbered every 10 mm.
void paintRuler(QPainter &painter, double lengthTwips, bool across)
{
    const int lastMm = static_cast<int>(lengthTwips / twipsPerMillimetre);
    for (int mm = 0; mm <= lastMm; ++mm) {
        const double at = mm * twipsPerMillimetre;
        const double tick = (mm % 10 == 0 ? 4.0 : mm % 5 == 0 ? 2.5 : 1.5) * twipsPerMillimetre;
        const QRectF mark
            = across ? QRectF(at, 0, lineTwips, tick) : QRectF(0, at, tick, lineTwips);
        painter.fillRect(mark, Qt::black);
        if (mm % 10 != 0 || mm == 0) continue;
        const QPointF label = across
            ? QPointF(at + 0.5 * twipsPerMillimetre, 6.5 * twipsPerMillimetre)
            : QPointF(4.5 * twipsPerMillimetre, at + 1.5 * twipsPerMillimetre);
        painter.drawText(label, QString::number(mm));
    }
}

} // namespace

void CalibrationLabel::paint(QPainter &painter, const QSizeF &labelTwips,
    const QString &printerName, const Calibration &calibration)
{
    painter.save();
    painter.fillRect(QRectF(QPointF(0, 0), labelTwips), Qt::white);
    // The outline lies just inside the label, so that any of it that the printer moves off the
    // stock shows as a missing line.
    painter.setPen(QPen(Qt::black, lineTwips, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(lineTwips / 2, lineTwips / 2, labelTwips.width() - lineTwips,
        labelTwips.height() - lineTwips));

    QFont font;
    font.setPixelSize(static_cast<int>(2.5 * twipsPerMillimetre)); // pixels are twips here
    painter.setFont(font);
    paintRuler(painter, labelTwips.width(), true);
    paintRuler(painter, labelTwips.height(), false);

    // A bar of exactly 50 mm, to be measured with a real ruler for the scale.
    const QRectF scaleBar(10 * twipsPerMillimetre, 12 * twipsPerMillimetre,
        scaleCheckMm * twipsPerMillimetre, lineTwips * 4);
    if (scaleBar.right() < labelTwips.width()) {
        painter.fillRect(scaleBar, Qt::black);
        painter.drawText(QPointF(scaleBar.left(), scaleBar.bottom() + 3.5 * twipsPerMillimetre),
            QStringLiteral("%1 毫米").arg(scaleCheckMm));
    }
    painter.drawText(QRectF(10 * twipsPerMillimetre, 20 * twipsPerMillimetre,
                         labelTwips.width() - 12 * twipsPerMillimetre,
                         labelTwips.height() - 22 * twipsPerMillimetre),
        Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QStringLiteral("校准标签 %1\n偏移 %2, %3 毫米  比例 %4%\n"
                       "尺子的 0 是标签的边。标签纸的边落在尺子的几毫米，就把偏移加上几毫米"
                       "（0 以内量出的空隙记为负数）。")
            .arg(printerName)
            .arg(calibration.offsetMm.x(), 0, 'f', 1)
            .arg(calibration.offsetMm.y(), 0, 'f', 1)
            .arg(calibration.scalePercent, 0, 'f', 1));
    painter.restore();
}

bool CalibrationLabel::print(LabelOutput &output, const QSizeF &labelTwips,
    const QString &printerName, const Calibration &calibration, QString *reason)
{
    if (!output.begin(labelTwips, reason)) return false;
    paint(output.painter(), labelTwips, printerName, calibration);
    return output.finish(reason);
}

} // namespace tagloom
