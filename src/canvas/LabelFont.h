// The font attributes of a field item: what the font dialog sets and the layout file keeps a part
// of.
#pragma once

#include <QFont>
#include <QString>

namespace tagloom {

struct LabelFont
{
    QString family;
    float pointSize = 9.0F; // points, fractional sizes allowed
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    // A QFont of these attributes; its point size still has to be adapted to the device
    // (LabelPainter).
    QFont toQFont() const;

    friend bool operator==(const LabelFont &, const LabelFont &) = default;
};

// The face of new field items: a plain face that also carries Chinese, where the system has one.
LabelFont defaultLabelFont();

// A font of the given face and size that falls back to a Chinese face this system has, so Chinese
// text never shows as boxes when the face itself (a Windows face such as SimSun) is missing.
QFont chineseFont(const QString &family, double pointSize);

} // namespace tagloom
