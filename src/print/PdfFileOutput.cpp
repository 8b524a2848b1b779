// Label pages into a PDF file.
#include "PdfFileOutput.h"

#include "canvas/LabelPainter.h"
#include "canvas/Twips.h"

#include <QFileInfo>

namespace tagloom {

namespace {

constexpr int pdfDotsPerInch = 1200; // fine enough that no rounding of Qt's shows on paper

} // namespace

PdfFileOutput::PdfFileOutput(const QString &pdfPath)
    : pdfPath_(pdfPath)
{
}

QString PdfFileOutput::refusal() const
{
    return QStringLiteral("无法写入 PDF 文件 %1").arg(pdfPath_);
}

bool PdfFileOutput::begin(const QSizeF &labelTwips, QString *reason)
{
    const QFileInfo target(pdfPath_);
    if (!pages_.begin(
            target.absolutePath(), target.fileName(), labelTwips / twipsPerPoint, pdfDotsPerInch)) {
        *reason = refusal();
        return false;
    }
    LabelPainter::useTwips(pages_.painter());
    return true;
}

bool PdfFileOutput::nextPage(QString *reason)
{
    if (!pages_.newPage()) {
        *reason = refusal();
        return false;
    }
    LabelPainter::useTwips(pages_.painter());
    return true;
}

bool PdfFileOutput::finish(QString *reason)
{
    if (!pages_.end() || !pages_.file().publishAs(QFileInfo(pdfPath_).absoluteFilePath())) {
        *reason = refusal();
        return false;
    }
    return true;
}

} // namespace tagloom
