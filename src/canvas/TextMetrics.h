// Measures text in twips, the same on every screen and printer, so item sizes never depend on the
// device.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <vector>

namespace tagloom {

class TextMetrics
{
public:
    // Size in twips of a caption drawn in the font (of its point size), one line per line break.
    static QSizeF captionSize(const QString &caption, const QFont &font);

    // Width in twips of a single line of text in the font.
    static double textWidth(const QString &text, const QFont &font);

    // The lines of a text wrapped into `width` twips, broken where the Unicode line breaking
    // rules allow (between Chinese characters, at the spaces of Western text) and a word wider
    // than the width anywhere; the text's own line breaks stay.
    static QStringList wrappedLines(const QString &text, const QFont &font, double width);
    // The room in twips from one line of text in the font to the next.
    static double lineSpacing(const QFont &font);
};

// Characters whose width in a line is their own advance: no combining marks, no shaping, no
// direction or format controls.
bool standsAlone(char16_t c);

// Measures many single-line texts in one font, without kerning, fast enough for every cell of a
// large sheet: text in scripts that need no shaping (Latin, Greek, Cyrillic, Chinese, Japanese
// kana, Korean syllables) is measured as the sum of its characters' advances; other text is shaped.
class TextWidthMeter
{
public:
    explicit TextWidthMeter(QFont font);
    double operator()(const QString &text);

private:
    double advance(char16_t character);

    QFont font_;
    QFontMetricsF metrics_;
    std::vector<float> advances_; // per UTF-16 unit, negative until measured
};

} // namespace tagloom
