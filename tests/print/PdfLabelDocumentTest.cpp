// The label document's PDF against Qt's own PDF engine as the reference: the same drawing through
// both, each page rendered by poppler, must look the same and give the same text; the file must
// read without a complaint from poppler.
#include "print/PdfObjectWriter.h"
#include "print/PdfPageWriter.h"
#include "support/PdfPages.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace tagloom;

namespace {

using Drawing = std::function<void(QPainter &)>;

constexpr int dotsPerInch = 1200;
const QSizeF page(216, 144); // points: 3 × 2 in

QFont font(const QString &family, double points)
{
    QFont made(family);
    made.setPointSizeF(points);
    return made;
}

void drawReference(const QString &path, const Drawing &draw)
{
    QPdfWriter writer(path);
    writer.setResolution(dotsPerInch);
    writer.setPageLayout(QPageLayout(QPageSize(page, QPageSize::Point, {}, QPageSize::ExactMatch),
        QPageLayout::Portrait, QMarginsF()));
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::LosslessImageRendering);
    draw(painter);
}

bool drawOurs(const QString &path, const Drawing &draw)
{
    const QFileInfo target(path);
    PdfPageWriter pages;
    if (!pages.begin(target.absolutePath(), target.fileName(), page, dotsPerInch)) return false;
    draw(pages.painter());
    return pages.end() && pages.file().publishAs(path);
}

// What poppler says on standard error while it renders the file: nothing for a sound one.
QString popplerComplaints(const QString &pdf)
{
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("30"), pdf});
    render.waitForFinished(120000);
    return QString::fromUtf8(render.readAllStandardError());
}

int darkPixels(const QImage &image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

bool darkNear(const QImage &image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && qGray(image.pixel(x + dx, y + dy)) < 128)
                return true;
    return false;
}

// Dark pixels of either picture with no dark pixel next to them in the other: glyph edges that
// fall a pixel apart where poppler hints a TrueType font are alike, a missing or displaced
// stroke is not.
int differingPixels(const QImage &a, const QImage &b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (qGray(a.pixel(x, y)) < 128 && !darkNear(b, x, y)) ++differing;
            if (qGray(b.pixel(x, y)) < 128 && !darkNear(a, x, y)) ++differing;
        }
    return differing;
}

// The characters of a page's text, in order of their codes and in compatibility form: poppler
// orders turned and right-to-left text by where its glyphs lie, and Qt's own PDF gives Arabic
// as presentation forms.
QList<uint> characters(const QString &text)
{
    QList<uint> found;
    for (const uint character : text.normalized(QString::NormalizationForm_KC).toUcs4())
        if (!QChar::isSpace(character) && QChar::category(character) != QChar::Other_Format)
            found.append(character);
    std::sort(found.begin(), found.end());
    return found;
}

QImage picture(QImage::Format format, const std::function<QRgb(int, int)> &pixel)
{
    QImage made(40, 40, QImage::Format_ARGB32);
    for (int y = 0; y < made.height(); ++y)
        for (int x = 0; x < made.width(); ++x)
            made.setPixel(x, y, pixel(x, y));
    return made.convertToFormat(format);
}

} // namespace

class PdfLabelDocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void looksAndReadsAsQtsOwnPdf_data()
    {
        QTest::addColumn<Drawing>("draw");
        QString manyGlyphs; // more than one font's 256
        for (char16_t c = 0x4e00; c < 0x4e00 + 300; ++c)
            manyGlyphs += QChar(c);
        QTest::newRow("kerned Latin, underlined and struck out") << Drawing([](QPainter &p) {
            QFont face = font(QStringLiteral("DejaVu Sans"), 14);
            p.setFont(face);
            p.drawText(QPointF(100, 500), QStringLiteral("AVATAR To WAVE, Type 1.50"));
            face.setUnderline(true);
            face.setStrikeOut(true);
            p.setFont(face);
            p.drawText(QPointF(100, 1200), QStringLiteral("Yellow LAVA"));
        });
        QTest::newRow("text that needs shaping: combining marks, Arabic, a face without Chinese")
            << Drawing([](QPainter &p) {
                   p.setFont(font(QStringLiteral("DejaVu Sans"), 14));
                   p.drawText(QPointF(100, 500),
                       QStringLiteral("Cafe\u0301 \u0645\u0631\u062d\u0628\u0627 青花瓷"));
               });
        QTest::newRow("Chinese in colour, bold, turned and half transparent")
            << Drawing([](QPainter &p) {
                   QFont face = font(QStringLiteral("WenQuanYi Micro Hei"), 16);
                   face.setBold(true);
                   p.setFont(face);
                   p.setPen(QColor(200, 0, 0));
                   p.drawText(QPointF(100, 600), QStringLiteral("青花瓷茶杯 ¥168.00"));
                   p.translate(1800, 1500);
                   p.rotate(-30);
                   p.setPen(QColor(0, 0, 80, 200));
                   p.drawText(QPointF(0, 0), QStringLiteral("景德镇 No.0001"));
               });
        QTest::newRow("more glyphs than one font holds") << Drawing([manyGlyphs](QPainter &p) {
            p.setFont(font(QStringLiteral("WenQuanYi Micro Hei"), 6));
            p.drawText(
                QRectF(50, 50, 3500, 2300), Qt::TextWordWrap | Qt::TextWrapAnywhere, manyGlyphs);
        });
        QTest::newRow("clipped fills and dashed strokes") << Drawing([](QPainter &p) {
            p.setClipRect(QRectF(200, 200, 1500, 1000));
            p.setBrush(Qt::darkGreen);
            p.setPen(QPen(Qt::black, 30, Qt::DashLine));
            p.drawEllipse(QRectF(0, 0, 1400, 1400));
            p.save();
            p.setClipRect(QRectF(1000, 0, 3000, 3000), Qt::ReplaceClip);
            p.fillRect(QRectF(1100, 1100, 2000, 900), QColor(0, 0, 0, 200));
            p.restore();
            p.drawLine(QLineF(0, 1150, 3000, 1150));
            p.setClipping(false);
            p.drawPolyline(QPolygonF({{2000, 300}, {3000, 500}, {2400, 900}}));
        });
        QTest::newRow("pictures: black and white, grey, colour over a fill, part of one")
            << Drawing([](QPainter &p) {
                   const QImage modules = picture(QImage::Format_Mono, [](int x, int y) {
                       return ((x / 4 + y / 4) % 2) ? qRgb(0, 0, 0) : qRgb(255, 255, 255);
                   });
                   p.drawImage(QRectF(100, 100, 1000, 1000), modules);
                   p.drawImage(QRectF(1200, 100, 800, 800),
                       picture(QImage::Format_Grayscale8,
                           [](int x, int) { return qRgb(x * 6, x * 6, x * 6); }));
                   p.fillRect(QRectF(2100, 100, 1000, 1000), Qt::black);
                   p.drawImage(QRectF(2100, 100, 1000, 1000),
                       picture(QImage::Format_ARGB32,
                           [](int x, int) { return qRgba(255, 255, 0, x < 20 ? 255 : 0); }));
                   p.drawImage(QRectF(100, 1300, 1000, 1000), modules, QRectF(0, 0, 20, 20));
               });
        QTest::newRow("bars under a scale") << Drawing([](QPainter &p) {
            p.scale(0.8, 1.2);
            QList<QRectF> bars;
            for (int i = 0; i < 40; ++i)
                bars.append(QRectF(200 + i * 90, 200, 15 + (i % 3) * 15, 1000));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawRects(bars.constData(), int(bars.size()));
        });
    }

    void looksAndReadsAsQtsOwnPdf()
    {
        QFETCH(Drawing, draw);
        QTemporaryDir folder;
        const QString reference = folder.filePath(QStringLiteral("reference.pdf"));
        const QString ours = folder.filePath(QStringLiteral("ours.pdf"));
        drawReference(reference, draw);
        QVERIFY(drawOurs(ours, draw));

        QCOMPARE(popplerComplaints(ours), QString());
        QCOMPARE(test::pdfPageSize(ours), page);
        const QImage expected = test::renderPdfPage(reference, 1, 150);
        const QImage got = test::renderPdfPage(ours, 1, 150);
        QCOMPARE(got.size(), expected.size());
        const int ink = darkPixels(expected);
        QVERIFY2(ink > 1000, "the drawing leaves the page blank");
        const int differing = differingPixels(got, expected);
        QVERIFY2(differing < ink / 100,
            qPrintable(QStringLiteral("%1 of %2 dark pixels differ").arg(differing).arg(ink)));
        QCOMPARE(
            characters(test::pdfPageText(ours, 1)), characters(test::pdfPageText(reference, 1)));
    }

    void aFailingDeviceFailsTheDocument()
    {
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        PdfObjectWriter objects(readOnly);
        const int info = objects.write("<< >>");
        QVERIFY(!objects.finish(objects.write("<< /Type /Catalog >>"), info));
    }
};

QTEST_MAIN(PdfLabelDocumentTest)
#include "PdfLabelDocumentTest.moc"
