// Measures text in twips, the same on every screen and printer, so item sizes never depend on the device.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>

namespace tagloom {

class TextMetrics
{
public:
    // Size in twips of a caption drawn in the font (of its point size), one line per line break.
    static QSizeF captionSize(const QString &caption, const QFont &font);

    // Width in twips of a single line of text in the font.
    static double textWidth(const QString &text, const QFont &font);
};

} // namespace tagloom
