// Label pages into a PDF file, each page the size of the label. The file is written without a
// name beside its final place and takes that place, whole, when the job is sent: complete, or with
// the pages done when a run stops early. A program that dies half-way leaves nothing behind, and
// an older file there stays as it was. Only a regular file is replaced (SaveTarget).
#pragma once

#include "LabelOutput.h"
#include "PdfPageWriter.h"

namespace tagloom {

class PdfFileOutput : public LabelOutput
{
public:
    explicit PdfFileOutput(const QString &pdfPath);

    bool begin(const QSizeF &labelTwips, QString *reason) override;
    QPainter &painter() override { return pages_.painter(); }
    bool nextPage(QString *reason) override;
    bool finish(QString *reason) override;

private:
    QString refusal() const;

    QString pdfPath_; // as given
    QString filePath_; // the file it names, links followed
    PdfPageWriter pages_;
};

} // namespace tagloom
