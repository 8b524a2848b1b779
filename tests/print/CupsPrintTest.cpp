// Printing through a real CUPS queue whose printer writes PDF files: the print command sends one
// job with one page per row, and every page reads back as its row. Run by cups-print-test.sh,
// which sets up the queue.
#include "canvas/LabelDesign.h"
#include "print/CupsQueue.h"
#include "support/CodeDecoder.h"
#include "support/CupsPdfOutput.h"
#include "support/Fixtures.h"
#include "support/PdfPages.h"
#include "support/TestProgram.h"

#include <QTemporaryDir>
#include <QTest>

using namespace tagloom;
using namespace tagloom::test;

class CupsPrintTest : public QObject
{
    Q_OBJECT

private slots:
    void noDefaultPrinter();
    void printsThroughTheDefaultPrinter();
};

void CupsPrintTest::noDefaultPrinter()
{
    QVERIFY(CupsQueue::defaultName().isEmpty());
    TestProgram program;
    program.dialogs.answerOpen(fixture("pictures/label_300x200.bmp"));
    program.click("Command1");
    program.dialogs.answerMessage();
    program.dialogs.answerMessage();
    program.click("Command6");
    QVERIFY(program.dialogs.allAnswered());
    const MessageRequest refusal = program.dialogs.messages().last();
    QCOMPARE(refusal.title, QStringLiteral("出错"));
    QCOMPARE(refusal.text, QStringLiteral("没有默认打印机。没有打印任何标签。"));
}

void CupsPrintTest::printsThroughTheDefaultPrinter()
{
    QCOMPARE(CupsQueue::defaultName(), QStringLiteral("TagloomTest"));
    QTemporaryDir scratch;
    const QString workbook = scratch.filePath("cups.xls");
    QVERIFY(writeWorkbook(workbook,
        {{"SKU", "名称"}, {"CUPS-1", "第一张"}, {"CUPS-2", "第二张"}, {"CUPS-3", "第三张"}}));

    TestProgram program;
    program.startDesign(fixture("pictures/label_600x400.png"), workbook);
    LabelDesign &design = program.workspace.canvas();
    design.moveField(2, 300, 4800);
    design.setCodeImageGeometry({6600, 300, 1800, 1800});
    design.setBarcodeHolderGeometry({300, 300, 5400, 1500});
    program.panel().chooser(MainPanel::QrSource).setListIndex(1);
    program.panel().chooser(MainPanel::BarcodeSource).setListIndex(0);

    const CupsPdfOutput output;
    program.dialogs.answerMessage(); // the confirmation
    program.click("Command6");
    QVERIFY(program.dialogs.allAnswered());
    QCOMPARE(program.dialogs.messages().size(), 2); // the hint and the confirmation: no error

    // One job, and one PDF written by the printer once CUPS is done with it.
    const QStringList pdfs = output.waitForPdfs(60000);
    QCOMPARE(pdfs.size(), 1);
    const QString pdf = pdfs.first();
    QCOMPARE(pdfPageCount(pdf), 3);
    // The office queue's own paper, A4, with the label at its true size at the top left: the
    // picture's cream is all that is not white.
    const QSizeF a4 = pdfPageSize(pdf);
    QVERIFY2(qAbs(a4.width() - 595) <= 1 && qAbs(a4.height() - 842) <= 1,
        qPrintable(QString::number(a4.width())));
    for (int page = 1; page <= 3; ++page) {
        const QImage image = renderPdfPage(pdf, page);
        QRect label;
        for (int y = 0; y < image.height(); y += 2)
            for (int x = 0; x < image.width(); x += 2)
                if (qGray(image.pixel(x, y)) < 252) label |= QRect(x, y, 1, 1);
        // 600 x 400 picture pixels are 6.25 x 4.17 in: 1875 x 1250 dots at 300 dpi.
        QVERIFY2(label.left() <= 2 && label.top() <= 2 && qAbs(label.right() - 1874) <= 3
                && qAbs(label.bottom() - 1249) <= 3,
            qPrintable(QStringLiteral("%1,%2 %3x%4")
                           .arg(label.x())
                           .arg(label.y())
                           .arg(label.width())
                           .arg(label.height())));
        QCOMPARE(decodeCode128(image), QStringLiteral("CUPS-%1").arg(page));
        QCOMPARE(decodeQr(image),
            QStringLiteral("第%1张").arg(QStringList {"一", "二", "三"}[page - 1]));
    }
    QFile::remove(pdf);
}

QTEST_MAIN(CupsPrintTest)
#include "CupsPrintTest.moc"
