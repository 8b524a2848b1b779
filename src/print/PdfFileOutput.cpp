// Label pages into a PDF file.
#include "PdfFileOutput.h"

#include "SaveTarget.h"
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
    QString notAFile;
    const std::optional<QString> file = SaveTarget::resolve(pdfPath_, &notAFile);
    if (!file) {
        *reason = QStringLiteral("%1：%2").arg(refusal(), notAFile);
        return false;
    }
    filePath_ = *file;
    const QFileInfo target(filePath_);
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
    if (!pages_.end() || !pages_.file().publishAs(filePath_)) {
        *reason = refusal();
        return false;
    }
    return true;
}

} // namespace tagloom
