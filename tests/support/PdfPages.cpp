// Looking into PDF files with poppler's pdfinfo, pdftoppm and pdftotext.
#include "PdfPages.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace tagloom::test {

namespace {

QByteArray run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) return {};
    return process.readAllStandardOutput();
}

QString info(const QString &pdf)
{
    return QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdf}));
}

} // namespace

int pdfPageCount(const QString &pdf)
{
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info(pdf));
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QSizeF pdfPageSize(const QString &pdf)
{
    const QRegularExpressionMatch match
        = QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts"))
              .match(info(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble())
                            : QSizeF();
}

QImage renderPdfPage(const QString &pdf, int page, int dpi)
{
    QTemporaryDir folder;
    const QString prefix = folder.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-f"),
            QString::number(page), QStringLiteral("-l"), QString::number(page),
            QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".pgm"));
}

QString pdfPageText(const QString &pdf, int page)
{
    return QString::fromUtf8(run(QStringLiteral("pdftotext"),
        {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
            pdf, QStringLiteral("-")}));
}

} // namespace tagloom::test
