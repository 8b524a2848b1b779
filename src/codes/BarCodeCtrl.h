// The label's barcode component: where its holder puts it, its type, the text it shows, and the
// drawing of that text's symbol.
#pragma once

#include "BarcodeSymbol.h"
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

    // Code 128 unless chosen otherwise; the value is encoded again in the new type.
    BarcodeType type() const { return type_; }
    void setType(BarcodeType type);

    // Encodes the text once; paint() then draws its symbol. A text the type cannot carry draws
    // white only and sets problem(), the refusal; an empty text draws white only.
    void setValue(const QString &text);
    const QString &value() const { return value_; }
    const QString &problem() const { return problem_; }
    const std::optional<BarcodeSymbol> &symbol() const { return symbol_; }

    // Whether setValue(text) would give a symbol in this type or an intended blank (an empty text);
    // the refusal, worded to follow the cell's name, when not.
    bool canEncode(const QString &text, QString *refusal) const;

    // Fills componentRect white and draws the whole symbol, quiet zones included, fitted into
    // visibleStrip: the part of the component the holder shows. Both are in painter units (twips).
    // With a dot grid the modules are whole dots (BarcodeSymbol::paint).
    void paint(QPainter &painter, const QRectF &componentRect, const QRectF &visibleStrip,
        const std::optional<DotGrid> &dots) const;

private:
    TwipsRect geometry_ {-400, 0, 5000, 855};
    bool visible_ = false;
    BarcodeType type_ = BarcodeType::Code128;
    QString value_;
    QString problem_;
    std::optional<BarcodeSymbol> symbol_;
};

} // namespace tagloom
