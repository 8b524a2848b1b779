// The sample data files below tests/fixtures with their expected tables.
#include "SampleDataFiles.h"

#include "support/Fixtures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tagloom::test {

QList<SampleDataFile> sampleDataFiles()
{
    QList<SampleDataFile> samples;
    for (const char *folder : {"xls", "xls-extra"}) {
        const QDir dir(fixture(QLatin1String(folder)));
        for (const QString &name :
            dir.entryList({QStringLiteral("*.xls")}, QDir::Files, QDir::Name)) {
            const QString base = dir.filePath(QFileInfo(name).completeBaseName());
            const QString table = QFile::exists(base + ".tsv") ? base + ".tsv" : QString();
            const QString values = base + ".values.tsv";
            samples.append({dir.filePath(name), table, QFile::exists(values) ? values : table});
        }
    }
    for (const char *folder : {"formats", "formats-extra"}) {
        const QDir dir(fixture(QLatin1String(folder)));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            const QString base = dir.filePath(name);
            if (QFile::exists(base + ".tsv"))
                samples.append({base, base + ".tsv",
                    QFile::exists(base + ".values.tsv") ? base + ".values.tsv" : base + ".tsv"});
        }
    }
    // The workbooks of shown/ have no tables: LibreOffice's export is what they show.
    const QDir shown(fixture(QStringLiteral("shown")));
    for (const QString &name : shown.entryList(
             {QStringLiteral("*.xls"), QStringLiteral("*.xlsx"), QStringLiteral("*.ods")},
             QDir::Files, QDir::Name))
        samples.append({shown.filePath(name), QString(), QString()});
    return samples;
}

QByteArray expectedTable(const QString &tablePath)
{
    QFile file(tablePath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tagloom::test
