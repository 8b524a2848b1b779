// Fitting a text into the width of its box: the size it shrinks to, then its lines.
#include "TextBox.h"

#include "TextMetrics.h"

#include <QRegularExpression>
#include <cmath>

namespace tagloom {

namespace {

// Shrinking goes in half points, the steps of the font dialog's sizes.
constexpr float sizeStep = 0.5F;

double widestLine(const QString &text, const QFont &font)
{
    static const QRegularExpression lineBreak(QStringLiteral("\\r\\n|\\r|\\n"));
    double widest = 0;
    for (const QString &line : text.split(lineBreak))
        widest = std::max(widest, TextMetrics::textWidth(line, font));
    return widest;
}

QFont sized(const LabelFont &font, float pointSize)
{
    LabelFont at = font;
    at.pointSize = pointSize;
    return at.toQFont();
}

} // namespace

FittedText TextBox::layOut(const QString &text, const LabelFont &font) const
{
    Q_ASSERT(isSet());
    FittedText fitted;
    fitted.pointSize = font.pointSize;
    const float smallest = std::min(smallestPointSize, font.pointSize);
    if (fit == Fit::Shrink) {
        const double natural = widestLine(text, font.toQFont());
        if (natural > width) {
            // Width grows with the size nearly in proportion: start just below where it would fit.
            float size = std::floor(font.pointSize * float(width / natural) / sizeStep) * sizeStep;
            while (size > smallest && widestLine(text, sized(font, size)) > width)
                size -= sizeStep;
            fitted.pointSize = std::max(size, smallest);
        }
    }
    const QFont qfont = sized(font, fitted.pointSize);
    fitted.lines = TextMetrics::wrappedLines(text, qfont, width);
    fitted.size = QSizeF(width, double(fitted.lines.size()) * TextMetrics::lineSpacing(qfont));
    return fitted;
}

} // namespace tagloom
