// The print run: its checks before the first page, then one page per row of the print range.
#include "PrintRun.h"

#include "CutTexts.h"
#include "LabelOutput.h"
#include "LabelQuantities.h"
#include "LabelsAhead.h"
#include "PrintProgress.h"
#include "TemporaryFolder.h"
#include "app/MessageBox.h"
#include "app/Workspace.h"
#include "canvas/LabelContent.h"
#include "canvas/LabelDesign.h"
#include "canvas/LabelPainter.h"
#include "canvas/LabelRow.h"
#include "canvas/NumberText.h"
#include "canvas/QuotedText.h"
#include "codes/DotGrid.h"
#include "data/DataTable.h"

#include <QDir>
#include <QPainter>
#include <cmath>
#include <limits>

namespace tagloom {

namespace {

// Row numbers the print range accepts: whole numbers from 1 on.
std::optional<int> rowNumber(const QString &text)
{
    const std::optional<double> value = NumberText::toDouble(text);
    if (!value || *value < 1 || *value > 1e9 || std::floor(*value) != *value) return std::nullopt;
    return static_cast<int>(*value);
}

// Whether the print job can take the label picture: the job converts and compresses it, which
// takes up to ten bytes a pixel beside the picture. Running out of memory later, while the job
// ends, cannot be caught, so it is asked before the first page.
bool pictureFitsInMemory(const LabelDesign &design)
{
    if (!design.picture()) return true;
    const qint64 pixels = qint64(design.picture()->width()) * design.picture()->height();
    try {
        const QByteArray room(qsizetype(pixels) * 10, Qt::Uninitialized);
        return !room.isNull();
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace

PrintRun::PrintRun(Workspace &workspace, LabelOutput &output, PrintProgress &progress, int copies)
    : workspace_(workspace)
    , output_(output)
    , progress_(progress)
    , copies_(copies)
{
    Q_ASSERT(copies >= 1 && copies <= mostCopies);
}

void PrintRun::refuse(const QString &message)
{
    message_ = message;
    errorBox(workspace_.dialogs(), nullptr, message);
}

PrintRun::Result PrintRun::endEarly(Outcome outcome, int pagesDone, const QString &what)
{
    progress_.end();
    // The pages done go out; what went before a failure stays out.
    int pagesSent = pagesDone;
    QString reason;
    try {
        if (pagesDone == 0 || !output_.finish(&reason)) pagesSent = output_.labelsAlreadySent();
    } catch (const std::bad_alloc &) {
        pagesSent = output_.labelsAlreadySent();
    }
    const QString message = pagesSent > 0
        ? QStringLiteral("%1已送出%2张标签。").arg(what).arg(pagesSent)
        : QStringLiteral("%1没有打印任何标签。").arg(what);
    if (outcome == Outcome::Cancelled) {
        message_ = message;
        messageBox(workspace_.dialogs(), nullptr, message);
    } else {
        refuse(message);
    }
    return {outcome, pagesSent, message_};
}

bool PrintRun::readsTable(const LabelDesign &design, const LabelContent &content) const
{
    return design.fieldCount() > 1 || qrColumn_ > 0 || barcodeColumn_ > 0
        || !workspace_.panel().quantityColumn().isEmpty() || content.readsColumns();
}

bool PrintRun::checkRange(const DataTable &table, int first, int last)
{
    if (!table.hasSheet()) {
        refuse(workspace_.discardedASheet()
                ? QStringLiteral("数据表是空的：关闭数据源窗口时，导入的数据随之清空。"
                                 "请重新选择数据文件（第2步）或导入布局，再打印。")
                : QStringLiteral("数据表是空的：请先选择数据文件（第2步）或导入布局，再打印。"));
        return false;
    }
    const int lastDataRow = table.rows() - 1;
    if (lastDataRow < 1) {
        refuse(QStringLiteral("数据表中没有数据行，无法打印。"));
        return false;
    }
    if (first > lastDataRow || last > lastDataRow) {
        refuse(QStringLiteral("打印范围超出了数据表：只能打印第1到%1行。").arg(lastDataRow));
        return false;
    }
    return true;
}

bool PrintRun::checkTable(const DataTable &table, const LabelDesign &design, int first, int last)
{
    if (!checkRange(table, first, last)) return false;
    const int lastColumn = table.cols() - 1;
    if (design.fieldCount() - 1 > lastColumn) {
        refuse(QStringLiteral("标签上有%1个数据项，但数据表只有%2列：请重新选择数据文件"
                              "（关闭数据源窗口会清空数据表），或关闭标签窗口后重新生成数据项。")
                   .arg(design.fieldCount() - 1)
                   .arg(lastColumn));
        return false;
    }
    const struct
    {
        int column;
        const char *name;
    } sources[] = {{qrColumn_, "二维码"}, {barcodeColumn_, "条形码"}};
    for (const auto &source : sources) {
        if (source.column > lastColumn) {
            refuse(
                QStringLiteral("%1的数据来源选择了第%2项，但数据表只有%3列：请在前%3项中重新选择。")
                    .arg(QString::fromUtf8(source.name))
                    .arg(source.column)
                    .arg(lastColumn));
            return false;
        }
    }
    return true;
}

std::optional<LabelQuantities> PrintRun::readQuantities(int first, int last)
{
    LabelQuantities quantities(first, last);
    const QString &column = workspace_.panel().quantityColumn();
    if (column.isEmpty() || first > last) return quantities;
    const DataTable &table = workspace_.dataTable();
    if (!checkRange(table, first, last)) return std::nullopt;
    QString problem;
    if (!quantities.read(table, column, &problem)) {
        refuse(problem);
        return std::nullopt;
    }
    return quantities;
}

bool PrintRun::forEachLabel(int first, int last, const LabelQuantities &quantities, bool everyLabel,
    const std::function<bool(const LabelNumbering &)> &label) const
{
    LabelNumbering numbering {first, 0, time_};
    for (int row = first; row <= last; ++row) {
        numbering.row = row;
        const int count = quantities.of(row);
        for (int n = 0; n < (everyLabel ? count : std::min(count, 1)); ++n) {
            if (!label(numbering)) return false;
            ++numbering.label;
        }
        if (!everyLabel && count > 1) numbering.label += count - 1;
    }
    return true;
}

bool PrintRun::checkCodes(const LabelContent &content, const LabelDesign &design, int first,
    int last, const LabelQuantities &quantities)
{
    // Only codes that print are checked: the QR code where Image1 shows, the barcode in a shown
    // holder.
    const bool qrPrints = content.feedsQrCode() && design.codeImage().visible;
    const bool barcodePrints = content.feedsBarcode() && design.barcodeHolder().visible;
    if (!qrPrints && !barcodePrints) return true;
    return forEachLabel(
        first, last, quantities, content.countsLabels(), [&](const LabelNumbering &label) {
            QString why;
            if (qrPrints && !QrMaker::canEncode(content.qrText(label), design.qrLevel(), &why)) {
                refuse(QStringLiteral("第%1行%2不能生成二维码：%3")
                           .arg(label.row)
                           .arg(content.qrSourceName(), why));
                return false;
            }
            // The refusal says what the text is not or cannot be ("不是 EAN-13：校验位应为 4").
            if (barcodePrints && !design.barcode().canEncode(content.barcodeText(label), &why)) {
                refuse(QStringLiteral("第%1行%2%3")
                           .arg(label.row)
                           .arg(content.barcodeSourceName(), why));
                return false;
            }
            return true;
        });
}

bool PrintRun::checkDots(const LabelContent &content, const LabelDesign &design, int first,
    int last, const LabelQuantities &quantities, double dotsPerTwip, double scale)
{
    // Scanners read modules of two dots and more; a single dot burns too thin and too unevenly.
    constexpr int fewestDotsPerModule = 2;
    const DotGrid dots = DotGrid::scaled(dotsPerTwip, dotsPerTwip);
    const auto millimetres = [scale](double twips) { return twips * scale / twipsPerMillimetre; };
    // Rounded up, so that a code made that large is large enough.
    const auto neededMillimetres = [&](int modules) {
        return std::ceil(millimetres(fewestDotsPerModule * modules / dotsPerTwip) * 10) / 10;
    };
    const QRectF strip = design.barcodeStrip();
    const QRectF qrItem = design.codeImage().geometry.toRectF();
    const bool qrPrints = content.feedsQrCode() && design.codeImage().visible;
    const bool barcodePrints = content.feedsBarcode() && design.barcodeHolder().visible;
    BarCodeCtrl barcode = design.barcode();
    return forEachLabel(
        first, last, quantities, content.countsLabels(), [&](const LabelNumbering &label) {
            const int row = label.row;
            barcode.setValue(barcodePrints ? content.barcodeText(label) : QString());
            const std::optional<BarcodeSymbol> &symbol = barcode.symbol();
            if (symbol && symbol->dotsPerModule(strip.size(), dots) < fewestDotsPerModule) {
                refuse(symbol->isMatrix()
                        ? QStringLiteral("第%1行%2的条形码太小：打印出来每个小方块不到%3个打印点，"
                                         "扫不出来。这一行的条形码至少要%4 × %5毫米（现在是%6 × "
                                         "%7毫米）。")
                              .arg(row)
                              .arg(content.barcodeSourceName())
                              .arg(fewestDotsPerModule)
                              .arg(neededMillimetres(symbol->columns()), 0, 'f', 1)
                              .arg(neededMillimetres(symbol->matrixRows()), 0, 'f', 1)
                              .arg(millimetres(strip.width()), 0, 'f', 1)
                              .arg(millimetres(strip.height()), 0, 'f', 1)
                        : QStringLiteral("第%1行%2的条形码太窄：打印出来最细的条不到%3个打印点，"
                                         "扫不出来。这一行的条形码至少要%4毫米宽（现在是%5毫米）。")
                              .arg(row)
                              .arg(content.barcodeSourceName())
                              .arg(fewestDotsPerModule)
                              .arg(neededMillimetres(symbol->columns()), 0, 'f', 1)
                              .arg(millimetres(strip.width()), 0, 'f', 1));
                return false;
            }
            const int modules
                = qrPrints ? QrMaker::modulesFor(content.qrText(label), design.qrLevel()) : 0;
            if (modules > 0
                && std::min(dots.dotsAcross(qrItem.width()), dots.dotsDown(qrItem.height()))
                        / modules
                    < fewestDotsPerModule) {
                refuse(QStringLiteral(
                    "第%1行%2的二维码太小：打印出来每个小方块不到%3个打印点，扫不出来。"
                    "这一行的二维码至少要%4毫米见方（现在是%5 × %6毫米）。")
                           .arg(row)
                           .arg(content.qrSourceName())
                           .arg(fewestDotsPerModule)
                           .arg(neededMillimetres(modules), 0, 'f', 1)
                           .arg(millimetres(qrItem.width()), 0, 'f', 1)
                           .arg(millimetres(qrItem.height()), 0, 'f', 1));
                return false;
            }
            return true;
        });
}

bool PrintRun::mayCutTexts(const DataTable &table, const LabelContent &content,
    const LabelDesign &design, int first, int last)
{
    const std::vector<CutTexts::Item> cut
        = CutTexts::find(design, table, content, first, last, time_);
    if (cut.empty()) return true;
    warning_ = CutTexts::describe(cut);
    return messageBox(workspace_.dialogs(), nullptr, warning_ + QStringLiteral("\n仍然打印吗？"),
               MessageButtons::YesNo)
        == MessageAnswer::Yes;
}

PrintRun::Result PrintRun::run()
{
    const Workspace::Hold hold(workspace_);
    MainPanel &panel = workspace_.panel();
    const QString firstText = panel.rangeText(MainPanel::FirstRow);
    const QString lastText = panel.rangeText(MainPanel::LastRow);
    const std::optional<int> first = rowNumber(firstText);
    const std::optional<int> last = rowNumber(lastText);
    if (!first || !last) {
        refuse(QStringLiteral("打印范围必须是从1开始的整数行号：“%1”不是。")
                   .arg(QuotedText::shortened(first ? lastText : firstText)));
        return {Outcome::Refused, 0, message_};
    }

    LabelDesign &design = workspace_.canvas();
    const int qrIndex = panel.chooser(MainPanel::QrSource).listIndex();
    const int barcodeIndex = panel.chooser(MainPanel::BarcodeSource).listIndex();
    // A code given a text with fields needs no column.
    const bool qrTemplate = !design.codeImage().textTemplate.isEmpty();
    const bool barcodeTemplate = !design.barcodeHolder().textTemplate.isEmpty();
    qrColumn_ = qrTemplate ? 0 : qrIndex + 1;
    barcodeColumn_ = barcodeTemplate ? 0 : barcodeIndex + 1;
    // The texts with fields are bound to the table there is; what they do not find is told after
    // the confirmation, with the codes' checks.
    const DataTable *existing = workspace_.hasDataTable() ? &workspace_.dataTable() : nullptr;
    LabelContent content(design, existing, qrColumn_, barcodeColumn_);
    QString unbound;
    const bool bound = content.bind(&unbound);
    // The data table is read only when something on the label comes from it; rows it does not
    // have are refused before the person is asked to print them.
    const DataTable *table = readsTable(design, content) ? &workspace_.dataTable() : nullptr;
    if (*first <= *last && table && !checkTable(*table, design, *first, *last))
        return {Outcome::Refused, 0, message_};
    // With a quantity column the confirmation counts the labels the rows ask for, so their
    // quantities are read first.
    const std::optional<LabelQuantities> quantities = readQuantities(*first, *last);
    if (!quantities) return {Outcome::Refused, 0, message_};
    const qint64 labels
        = panel.quantityColumn().isEmpty() ? qint64(*last) - *first + 1 : quantities->total();
    const qint64 pages = std::max<qint64>(labels, 0) * copies_;
    if (pages > std::numeric_limits<int>::max()) {
        refuse(QStringLiteral("一次最多打印%1张标签，这次要打印%2张：请分几次打印。")
                   .arg(std::numeric_limits<int>::max())
                   .arg(pages));
        return {Outcome::Refused, 0, message_};
    }

    QString prompt
        = QStringLiteral("将打印第%1到%2行,共%3个标签").arg(firstText, lastText).arg(labels);
    if (copies_ > 1) prompt += QStringLiteral("\n每个标签打印%1份,共%2张").arg(copies_).arg(pages);
    if (messageBox(workspace_.dialogs(), nullptr, prompt, MessageButtons::OkCancel)
        != MessageAnswer::Ok)
        return {Outcome::Declined, 0, {}};

    if (design.qrCodeInserted() && qrIndex == -1 && !qrTemplate) {
        refuse(QStringLiteral("没有选择二维码的对应数据项"));
        return {Outcome::Refused, 0, message_};
    }
    if (design.barcodeInserted() && barcodeIndex == -1 && !barcodeTemplate) {
        refuse(QStringLiteral("没有选择条形码的对应数据项"));
        return {Outcome::Refused, 0, message_};
    }
    time_ = QDateTime::currentDateTime();

    Result result {Outcome::Printed, 0, {}};
    if (pages > 0) {
        if (!bound) {
            refuse(unbound + QStringLiteral("。"));
            return {Outcome::Refused, 0, message_};
        }
        if (!checkCodes(content, design, *first, *last, *quantities))
            return {Outcome::Refused, 0, message_};
        // Checked last, as a question: the person may print cut texts knowingly.
        if (table && !mayCutTexts(*table, content, design, *first, *last))
            return {Outcome::Declined, 0, {}};
        result = printRows(design, content, *first, *last, *quantities);
    }
    design.setBarcodeVisible(false);
    return result;
}

PrintRun::Result PrintRun::printRows(LabelDesign &design, const LabelContent &content, int first,
    int last, const LabelQuantities &quantities)
{
    // The canvas follows once, at the end, not page by page.
    LabelRow lastPrinted;
    std::optional<LabelNumbering> lastMade;
    const Result result
        = printPages(design, content, first, last, quantities, lastPrinted, lastMade);
    lastPrinted.applyTo(design);
    // The labels' QR codes were made by a generator of their own; the design's ends with the last
    // one's, as the codes have always been left on it.
    if (lastMade && content.feedsQrCode()) {
        design.qrMaker().setCodeData(content.qrText(*lastMade));
        design.qrMaker().refresh();
    }
    return result;
}

PrintRun::Result PrintRun::printPages(LabelDesign &design, const LabelContent &content, int first,
    int last, const LabelQuantities &quantities, LabelRow &lastPrinted,
    std::optional<LabelNumbering> &lastMade)
{
    // The QR bitmap lives in a folder of this run alone: the program's folder may not be writable,
    // and two running copies must not print each other's codes.
    const TemporaryFolder bitmapFolder;
    if (content.feedsQrCode() && !bitmapFolder.isValid())
        return endEarly(Outcome::Failed, 0, QStringLiteral("无法建立临时文件夹，"));
    const QString bitmapPath = bitmapFolder.filePath(QStringLiteral("tmpQR.bmp"));

    if (!pictureFitsInMemory(design))
        return endEarly(Outcome::Failed, 0,
            QStringLiteral("内存不足，%1 × %2 像素的标签图片放不进打印任务。")
                .arg(design.picture()->width())
                .arg(design.picture()->height()));
    QString reason;
    const bool copiesByOutput = output_.takeCopies(copies_);
    // A label with a physical size of its own prints scaled to it, picture and items alike.
    const QSizeF printed = design.printedSize();
    const double scaleX = printed.width() / design.scaleWidth();
    const double scaleY = printed.height() / design.scaleHeight();
    if (!output_.begin(printed, &reason))
        return endEarly(Outcome::Failed, 0, QStringLiteral("%1。").arg(reason));
    // Nothing is drawn yet: a refused run drops the job with the output.
    const std::optional<double> dotsPerTwip = output_.dotsPerTwip();
    const double scale = std::min(scaleX, scaleY);
    if (dotsPerTwip
        && !checkDots(content, design, first, last, quantities, *dotsPerTwip * scale, scale))
        return {Outcome::Refused, 0, message_};

    const int total = static_cast<int>(quantities.total() * copies_);
    if (!progress_.advance(0, total))
        return endEarly(Outcome::Cancelled, 0, QStringLiteral("打印已取消，"));
    // Copies the printer counts itself are drawn once.
    const int drawnCopies = copiesByOutput ? 1 : copies_;
    const int labelsPerPage = copies_ / drawnCopies;
    int pages = 0; // labels, copies counted
    std::optional<std::pair<Outcome, QString>> stopped;
    try {
        // The labels of a row are made once, unless a counter makes them differ; ahead of the
        // painter, on a second thread, where there are codes to make for more than one label.
        const bool counts = content.countsLabels();
        LabelsAhead::Sequence sequence;
        if ((content.feedsQrCode() || content.feedsBarcode()) && quantities.total() > 1)
            sequence = [&](const std::function<bool(const LabelNumbering &)> &label) {
                forEachLabel(first, last, quantities, counts, label);
            };
        LabelsAhead labels(content, design.qrLevel(), bitmapPath, sequence);
        LabelRow made;
        int madeRow = 0;
        forEachLabel(first, last, quantities, true, [&](const LabelNumbering &label) {
            if (counts || label.row != madeRow) {
                madeRow = label.row;
                lastMade = label;
                if (!labels.next(label, made, &reason)) {
                    stopped = {Outcome::Failed,
                        QStringLiteral("打印在第%1行中止：%2。").arg(label.row).arg(reason)};
                    return false;
                }
            }
            for (int copy = 0; copy < drawnCopies; ++copy) {
                if (pages > 0 && !output_.nextPage(&reason)) {
                    stopped = {Outcome::Failed, QStringLiteral("%1。").arg(reason)};
                    return false;
                }
                QPainter &painter = output_.painter();
                painter.save();
                painter.scale(scaleX, scaleY);
                LabelPainter::paint(painter, design, made,
                    dotsPerTwip ? DotGrid::of(painter) : std::nullopt, LabelPainter::Surface::Page);
                painter.restore();
                if (copy == 0) lastPrinted = made;
                pages += labelsPerPage;
                if (!progress_.advance(pages, total) && pages < total) {
                    stopped = {Outcome::Cancelled, QStringLiteral("打印已取消，")};
                    return false;
                }
            }
            return true;
        });
        // Leaving here stops the labels made ahead before the run says how it ended.
    } catch (const std::bad_alloc &) {
        // A picture or a page too large for the memory left: stop as a failing printer does.
        return endEarly(Outcome::Failed, pages,
            QStringLiteral("内存不足，无法画出第%1张标签。").arg(pages + 1));
    }
    if (stopped) return endEarly(stopped->first, pages, stopped->second);
    progress_.end();
    if (!output_.finish(&reason))
        return endEarly(Outcome::Failed, 0, QStringLiteral("%1，").arg(reason));
    return {Outcome::Printed, pages, {}};
}

} // namespace tagloom
