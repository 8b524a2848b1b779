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
            const QString table = dir.filePath(QFileInfo(name).completeBaseName() + ".tsv");
            samples.append({dir.filePath(name), QFile::exists(table) ? table : QString()});
        }
    }
    for (const char *folder : {"formats", "formats-extra"}) {
        const QDir dir(fixture(QLatin1String(folder)));
        for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
            if (QFile::exists(dir.filePath(name + ".tsv")))
                samples.append({dir.filePath(name), dir.filePath(name + ".tsv")});
        }
    }
    return samples;
}

QByteArray expectedTable(const SampleDataFile &sample)
{
    QFile file(sample.table);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tagloom::test
