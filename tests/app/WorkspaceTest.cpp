// The model without any window: the workspace announces the design and the table that come and
// go, and the commands the windows start (loading a layout, importing, printing) work on it
// alone. This test links the model library only, so a model that needed a window would not build.
#include "app/Workspace.h"

#include "canvas/LabelDesign.h"
#include "canvas/LabelPainter.h"
#include "data/DataTable.h"
#include "layout/LayoutLoader.h"
#include "print/LabelOutput.h"
#include "print/PrintProgress.h"
#include "print/PrintRun.h"
#include "support/CodeDecoder.h"
#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <list>

using namespace tagloom;
using namespace tagloom::test;

namespace {

// Label pages drawn into pictures in memory, at 300 dpi.
class PagesInMemory : public LabelOutput
{
public:
    bool begin(const QSizeF &labelTwips, QString *) override
    {
        label_ = labelTwips;
        startPage();
        return true;
    }
    QPainter &painter() override { return painter_; }
    bool nextPage(QString *) override
    {
        painter_.end();
        startPage();
        return true;
    }
    bool finish(QString *) override
    {
        painter_.end();
        finished = true;
        return true;
    }

    std::list<QImage> pages; // a list: a page stays where it is while the painter draws on it
    bool finished = false;

private:
    void startPage()
    {
        constexpr double dpi = 300;
        QImage &page = pages.emplace_back(QSize(int(std::ceil(label_.width() / 1440 * dpi)),
                                              int(std::ceil(label_.height() / 1440 * dpi))),
            QImage::Format_RGB32);
        page.setDotsPerMeterX(qRound(dpi / 0.0254));
        page.setDotsPerMeterY(qRound(dpi / 0.0254));
        page.fill(Qt::white);
        painter_.begin(&page);
        LabelPainter::useTwips(painter_);
    }

    QSizeF label_;
    QPainter painter_;
};

} // namespace

class WorkspaceTest : public QObject
{
    Q_OBJECT

private slots:
    void announcesWhatComesIntoBeingAndGoes();
    void loadsAndPrintsALayoutWithoutWindows();
};

void WorkspaceTest::announcesWhatComesIntoBeingAndGoes()
{
    ScriptedDialogs dialogs;
    Workspace workspace(dialogs);
    QSignalSpy canvasCreated(&workspace, &Workspace::canvasCreated);
    QSignalSpy tableCreated(&workspace, &Workspace::dataTableCreated);

    LabelDesign &design = workspace.canvas();
    QCOMPARE(&workspace.canvas(), &design); // made once, on the first reference
    QCOMPARE(canvasCreated.size(), 1);
    workspace.dataTable().bind(1, {QStringLiteral("SKU"), QStringLiteral("A-1")});
    QCOMPARE(tableCreated.size(), 1);

    // A listener still reaches what is discarded, which the workspace no longer holds.
    int fieldsSeen = -1;
    connect(&workspace, &Workspace::canvasDiscarded, this,
        [&workspace, &fieldsSeen](LabelDesign &gone) {
            QVERIFY(!workspace.hasCanvas());
            fieldsSeen = gone.fieldCount();
        });
    bool tableSeen = false;
    connect(&workspace, &Workspace::dataTableDiscarded, this,
        [&workspace, &tableSeen](DataTable &gone) {
            QVERIFY(!workspace.hasDataTable());
            tableSeen = gone.hasSheet();
        });
    workspace.discardCanvas();
    workspace.discardDataTable();
    QCOMPARE(fieldsSeen, 1); // the template
    QVERIFY(tableSeen);
    QVERIFY(workspace.discardedASheet());
    workspace.discardCanvas(); // nothing to discard: no announcement
    QCOMPARE(canvasCreated.size(), 1);
}

void WorkspaceTest::loadsAndPrintsALayoutWithoutWindows()
{
    ScriptedDialogs dialogs;
    Workspace workspace(dialogs);
    QSignalSpy pictureApplied(&workspace, &Workspace::pictureApplied);
    QSignalSpy sheetImported(&workspace, &Workspace::sheetImported);
    QString reason;
    QVERIFY2(LayoutLoader::load(workspace, sourceFile("examples/example.ini"), &reason),
        qPrintable(reason));
    // What the windows would show: the label and the table, each once.
    QCOMPARE(pictureApplied.size(), 1);
    QCOMPARE(sheetImported.size(), 1);

    workspace.panel().setRangeText(MainPanel::FirstRow, QStringLiteral("2"));
    workspace.panel().setRangeText(MainPanel::LastRow, QStringLiteral("4"));
    dialogs.answerMessage(MessageAnswer::Ok); // the confirmation
    PagesInMemory output;
    SilentProgress progress;
    const PrintRun::Result result = PrintRun(workspace, output, progress).run();
    QCOMPARE(result.outcome, PrintRun::Outcome::Printed);
    QVERIFY(dialogs.allAnswered());
    QVERIFY(output.finished);
    QCOMPARE(int(output.pages.size()), 3);
    // The example's barcode carries the item number (column 1), its QR code the web address
    // (column 6).
    const DataTable &table = workspace.dataTable();
    int row = 2;
    for (const QImage &page : output.pages) {
        QCOMPARE(decodeCode128(page), table.cell(row, 1));
        QCOMPARE(decodeQr(page), table.cell(row, 6));
        ++row;
    }
}

QTEST_MAIN(WorkspaceTest)
#include "WorkspaceTest.moc"
