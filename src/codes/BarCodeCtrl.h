// The label's Code 128 barcode component: where its holder puts it, the text it shows,
// and the drawing of that text's bars.
#pragma once

#include "Code128Symbol.h"
#include "canvas/Twips.h"

#include <QRectF>
#include <QString>
#include <optional>

class QPainter;

namespace tagloom {

class BarCodeCtrl
{
public:
    // Relative to the holder, which clips it.
    TwipsRect geometry() const { return geometry_; }
    void setGeometry(const TwipsRect &geometry) { geometry_ = geometry; }

    // The holder draws the component only while it is visible; paint() itself does not ask.
    bool isVisible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

    // Encodes the text once; paint() then draws its bars. A text Code 128 cannot carry
    // draws white only and sets problem(); an empty text draws white only.
    void setValue(const QString &text);
    const QString &value() const { return value_; }
    const QString &problem() const { return problem_; }

    // Whether setValue(text) would give bars or an intended blank (an empty text).
    static bool canEncode(const QString &text, QString *reason);

    // Fills componentRect white and draws the whole symbol, quiet zones included, fitted into
    // visibleStrip: the part of the component the holder shows. Both are in painter units (twips).
    // With a dot grid the modules are whole dots (Code128Symbol::paint).
    void paint(QPainter &painter, const QRectF &componentRect, const QRectF &visibleStrip,
        const std::optional<DotGrid> &dots) const;

    // The width of the bars paint() draws; nothing when it draws none.
    std::optional<qreal> barsWidth(const QRectF &componentRect, const QRectF &visibleStrip,
        const std::optional<DotGrid> &dots) const;

private:
    TwipsRect geometry_ {-400, 0, 5000, 855};
    bool visible_ = false;
    QString value_;
    QString problem_;
    std::optional<Code128Symbol> symbol_;
};

} // namespace tagloom
