// The yardstick for the print run's PDF speed: a PDF writer that does nothing but write label
// pages. One background image shared by every page, and per page the field texts laid out by Qt
// and written as glyphs of their fonts (not embedded), the QR code as a 1-bit image and the
// barcode's bars as rectangles, all streams deflated through one reused compressor. The codes are
// made before it starts.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QList>
#include <QRawFont>
#include <QRectF>
#include <QStringList>
#include <zlib.h>

namespace tagloom::bench {

class MinimalPdfWriter
{
public:
    struct Page
    {
        QStringList texts; // text k in font k of the layout at place k
        QImage qr; // one pixel per module
        QList<QPair<int, int>> bars; // start and width in modules
        int barModules = 0;
    };
    struct Layout
    {
        QSizeF pagePoints;
        QList<QFont> fonts; // point sizes as printed
        QList<QPointF> textPlaces; // top left, points from the page's top left
        QRectF qr; // points from the top left
        QRectF barcode;
    };

    MinimalPdfWriter(const QString &path, const Layout &layout, const QImage &background);
    ~MinimalPdfWriter();
    MinimalPdfWriter(const MinimalPdfWriter &) = delete;
    MinimalPdfWriter &operator=(const MinimalPdfWriter &) = delete;

    void addPage(const Page &page);
    bool finish();

private:
    int startObject();
    void writeStream(const QByteArray &dictionary, const QByteArray &data);
    QByteArray deflated(const QByteArray &data);
    // The glyphs of one text as PDF text operators.
    QByteArray text(const QString &text, const QFont &font, const QPointF &place);
    QByteArray fontResource(const QRawFont &font);

    QFile file_;
    Layout layout_;
    z_stream zlib_ {};
    QList<qint64> offsets_; // of objects 1, 2, …
    QList<int> pageObjects_;
    QHash<QString, int> fonts_; // family to its number among the page resources
    static constexpr int catalog = 1;
    static constexpr int pages = 2;
    static constexpr int background = 3;
    static constexpr int fontsObject = 4; // written at the end, once every font is known
};

} // namespace tagloom::bench
