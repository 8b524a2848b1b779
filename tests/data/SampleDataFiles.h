// The sample data files below tests/fixtures with their expected tables.
#pragma once

#include <QList>
#include <QString>

namespace tagloom::test {

struct SampleDataFile
{
    QString path;
    QString table; // the expected table as TSV ("refused" for a refusal); empty when there is none
};

// Every sample: the .xls workbooks of xls/ and xls-extra/ (NAME.xls with NAME.tsv), and the
// files of formats/ and formats-extra/ (NAME.EXT with NAME.EXT.tsv).
QList<SampleDataFile> sampleDataFiles();

// The expected table of a sample.
QByteArray expectedTable(const SampleDataFile &sample);

} // namespace tagloom::test
