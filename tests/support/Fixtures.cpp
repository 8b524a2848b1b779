// Where the tests find sample files, the source tree and the program, and writing workbooks.
#include "Fixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QtGlobal>

namespace tagloom::test {

namespace {

QString fromEnvironment(const char *name)
{
    const QString value = qEnvironmentVariable(name);
    if (value.isEmpty()) qFatal("%s is not set: run the tests through ctest", name);
    return value;
}

} // namespace

QString fixture(const QString &relativePath)
{
    return QDir(fromEnvironment("TAGLOOM_FIXTURES")).filePath(relativePath);
}

QByteArray fixtureBytes(const QString &relativePath)
{
    QFile file(fixture(relativePath));
    if (!file.open(QIODevice::ReadOnly)) {
        QTest::qFail(
            qPrintable(QStringLiteral("cannot read %1").arg(file.fileName())), __FILE__, __LINE__);
        return {};
    }
    return file.readAll();
}

QString sourceFile(const QString &relativePath)
{
    return QDir(fromEnvironment("TAGLOOM_SOURCE_DIR")).filePath(relativePath);
}

QString programBinary()
{
    return fromEnvironment("TAGLOOM_BINARY");
}

bool writeWorkbook(const QString &path, const QList<QStringList> &rows, const QString &sheetName)
{
    QString script = QStringLiteral(
        "import sys, xlwt\nbook = xlwt.Workbook()\nsheet = book.add_sheet(sys.argv[2])\n");
    for (qsizetype r = 0; r < rows.size(); ++r) {
        for (qsizetype c = 0; c < rows[r].size(); ++c) {
            const QString &cell = rows[r][c];
            if (cell.isEmpty()) continue;
            const QString value = cell.startsWith(QLatin1Char('='))
                ? cell.mid(1)
                : QStringLiteral("bytes.fromhex('%1').decode('utf-8')")
                      .arg(QString::fromLatin1(cell.toUtf8().toHex()));
            script += QStringLiteral("sheet.write(%1, %2, %3)\n").arg(r).arg(c).arg(value);
        }
    }
    script += QStringLiteral("book.save(sys.argv[1])\n");
    // The script goes through standard input: as one argument a large workbook's would be too long.
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-"), path, sheetName});
    python.write(script.toUtf8());
    python.closeWriteChannel();
    return python.waitForFinished(60000) && python.exitStatus() == QProcess::NormalExit
        && python.exitCode() == 0;
}

} // namespace tagloom::test
