// The paint engine of a label PDF: what the painter draws becomes page content, pictures image
// objects (each picture once however many pages show it), glyphs codes of the document's glyph
// fonts. It draws what labels are made of: solid fills and strokes, pictures, text, clipping and
// transparency; brushes other than solid ones fill with their colour.
#pragma once

#include <QByteArray>
#include <QCache>
#include <QFont>
#include <QHash>
#include <QList>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPen>
#include <QSet>
#include <QTransform>

namespace tagloom {

class PdfGlyphFonts;
class PdfObjectWriter;

class PdfPaintEngine : public QPaintEngine
{
public:
    // Device pixels are dots of `dotsPerInch`, (0, 0) the top left corner of a page
    // `pagePoints` large.
    PdfPaintEngine(
        PdfObjectWriter &objects, PdfGlyphFonts &fonts, const QSizeF &pagePoints, int dotsPerInch);

    bool begin(QPaintDevice *device) override;
    bool end() override;
    void updateState(const QPaintEngineState &changed) override;
    void drawRects(const QRectF *rects, int rectCount) override;
    void drawPath(const QPainterPath &path) override;
    void drawPolygon(const QPointF *points, int pointCount, PolygonDrawMode mode) override;
    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &sr) override;
    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr,
        Qt::ImageConversionFlags flags) override;
    void drawTextItem(const QPointF &p, const QTextItem &textItem) override;
    Type type() const override { return User; }

    // Writes the page drawn since the last one as page object `page`, its parent `parent`.
    void writePage(int page, int parent);

private:
    // Opens the block of the current clip, when it changed since the last drawing.
    void useClip();
    // "q", the transparency and the matrix of a drawing in user space.
    void openDrawing(qreal alpha);
    void appendMatrix(const QTransform &matrix);
    void appendColor(const QColor &color, const char *fillOrStroke);
    void appendPen();
    // Fills and strokes the path just appended, as brush and pen say.
    void paintPath(bool oddEven, bool fill, bool stroke);
    bool fills() const;
    bool strokes() const;
    QByteArray alphaState(qreal alpha);
    QByteArray imageName(const QImage &image);
    // A text laid out as glyph strings, from the top of its line; the same texts recur on every
    // label (captions, a fixed origin) and a made-bold text is drawn twice.
    struct ShapedText
    {
        qreal ascent = 0;
        QByteArray operators;
        // The text for those who copy or search it, where its glyphs do not tell it one by one
        // (shaped scripts, marks joined to their letters); empty where they do.
        QByteArray actualText;
        QList<int> fonts;
    };
    struct ShapedKey
    {
        QFont font;
        QString text;
        bool operator==(const ShapedKey &) const = default;
        friend size_t qHash(const ShapedKey &key, size_t seed)
        {
            return qHashMulti(seed, key.font, key.text);
        }
    };
    const ShapedText &shaped(const QTextItem &item);

    PdfObjectWriter &objects_;
    PdfGlyphFonts &fonts_;
    const QSizeF pagePoints_;
    const int dotsPerInch_;

    QTransform matrix_;
    QPen pen_;
    QBrush brush_;
    qreal opacity_ = 1;
    bool smooth_ = false;
    QList<QPainterPath> clips_; // in device pixels, one after the other
    bool clipEnabled_ = false;
    bool clipChanged_ = true;
    bool clipOpen_ = false;

    QByteArray content_;
    QSet<int> pageFonts_;
    QSet<int> pageImages_;
    QSet<int> pageStates_;
    QHash<qint64, int> images_; // object by QImage::cacheKey
    QHash<int, int> states_; // object by alpha in 1/255
    QCache<ShapedKey, ShapedText> shapedTexts_ {256};
};

} // namespace tagloom
