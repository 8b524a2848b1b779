// Checks that the decoders find our codes on a whole printed page, among a picture and text,
// as the print tests use them: a PDF page rendered by pdftoppm.
#include "support/CodeDecoder.h"

#include "codes/BarCodeCtrl.h"
#include "codes/QrMaker.h"
#include "support/Fixtures.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class CodeDecoderTest : public QObject
{
    Q_OBJECT

private slots:
    void findsBothOnAPrintedPage()
    {
        QTemporaryDir dir;
        QrMaker qr;
        qr.setCodeData(QStringLiteral("标签 0042 https://example.com/p/42"));
        qr.refresh();
        BarCodeCtrl bar;
        bar.setValue(QStringLiteral("SKU-0042-Ø"));
        const QRectF qrPlace(300, 900, 1500, 1500);
        const QRectF stripPlace(2200, 3000, 3000, 855);

        // A 4 x 3 inch label at 1440 painter units per inch, so the painter draws in twips.
        QPdfWriter pdf(dir.filePath("page.pdf"));
        pdf.setPageSize(QPageSize(QSizeF(4, 3), QPageSize::Inch));
        pdf.setPageMargins({});
        pdf.setResolution(1440);
        QPainter p(&pdf);
        p.setRenderHint(QPainter::LosslessImageRendering);
        p.drawImage(QRectF(0, 0, 5760, 4320), QImage(fixture("pictures/label_600x400.png")));
        p.setFont(QFont(QString(), 14));
        p.drawText(QRectF(300, 200, 5000, 600), QStringLiteral("Blue shirt, size M — 蓝色衬衫"));
        p.drawImage(qrPlace, *qr.codePicture());
        bar.paint(p, stripPlace.adjusted(-400, 0, 2600, 0), stripPlace, std::nullopt);
        p.end();

        QCOMPARE(QProcess::execute("pdftoppm",
                     {"-r", "300", "-png", "-singlefile", dir.filePath("page.pdf"),
                         dir.filePath("page")}),
            0);
        const QImage page(dir.filePath("page.png"));
        const auto qrFound = findQr(page);
        QVERIFY(qrFound);
        QCOMPARE(qrFound->text, qr.codeData());
        QVERIFY(onPage(qrPlace).contains(qrFound->bounds.center()));
        const auto barFound = findCode128(page);
        QVERIFY(barFound);
        QCOMPARE(barFound->text, bar.value());
        QVERIFY(onPage(stripPlace).contains(barFound->bounds.center()));
    }

private:
    static QRect onPage(const QRectF &twips)
    {
        const double scale = 300 / twipsPerInch;
        return QRectF(twips.topLeft() * scale, twips.size() * scale).toRect();
    }
};

QTEST_MAIN(CodeDecoderTest)
#include "CodeDecoderTest.moc"
