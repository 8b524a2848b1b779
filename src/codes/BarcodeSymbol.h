// One encoded barcode of any type: its modules with the quiet zones its standard asks for, the
// human-readable text where the standard puts it, and how to draw it fitted into a rectangle.
#pragma once

#include "BarcodeType.h"
#include "DotGrid.h"

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

class QPainter;

namespace tagloom {

class BarcodeSymbol
{
public:
    // The symbol of a non-empty text, or nothing with the refusal, worded to follow the cell's
    // name in a message ("不是 EAN-13：校验位应为 4").
    static std::optional<BarcodeSymbol> encode(
        BarcodeType type, const QString &text, QString *refusal);

    // Draws the symbol, quiet zones included, as large as fits into area. A linear symbol's bars
    // take the area's height, with the text below them when the area is tall enough for it (EAN
    // and UPC: the digits between and beside their long guard bars); a matrix symbol's modules
    // are square, the symbol centred. On a dot grid every module is the same whole number of dots
    // from a dot boundary; otherwise modules take the exact fraction of the area.
    void paint(QPainter &painter, const QRectF &area, const std::optional<DotGrid> &dots) const;

    // The whole dots a module gets when the symbol is drawn into an area of this size on the
    // grid; below 1 it is drawn off the grid.
    int dotsPerModule(const QSizeF &area, const DotGrid &dots) const;

    // The width in modules, quiet zones included; the height likewise for a matrix symbol (Data
    // Matrix, PDF417), 0 for a linear one, whose bars take the height they are given.
    int columns() const { return columns_; }
    int matrixRows() const { return matrixRows_; }
    bool isMatrix() const { return matrixRows_ > 0; }

private:
    struct Bar
    {
        int start; // first module, counted from the left edge of the quiet zone
        int width; // in modules
        bool guard; // a guard bar of EAN and UPC, reaching down between the digits
    };
    struct Row
    {
        int top; // in modules from the top edge of the quiet zone; linear symbols have one row
        int height;
        std::vector<Bar> bars;
    };
    struct Text
    {
        QString text;
        int start; // the modules it stands below, quiet zone included
        int end;
        int alignment; // Qt::AlignmentFlag across
        bool small; // UPC-A's first and last digit
    };
    struct Placement
    {
        QPointF topLeft; // of the quiet zone
        QSizeF module;
    };

    BarcodeSymbol() = default;
    Placement place(const QRectF &area, const std::optional<DotGrid> &dots) const;
    void paintLinear(QPainter &painter, const QRectF &area, const Placement &at) const;
    // Font pixel size of the text below the bars, or 0 when there is no room for it.
    qreal textPixelSize(qreal areaHeight, qreal moduleWidth) const;

    std::vector<Row> rows_;
    std::vector<Text> texts_;
    int columns_ = 0;
    int matrixRows_ = 0;
};

} // namespace tagloom
