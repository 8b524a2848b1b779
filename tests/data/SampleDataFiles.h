// The sample data files below tests/fixtures with their expected tables.
#pragma once

#include <QList>
#include <QString>

namespace tagloom::test {

struct SampleDataFile
{
    QString path;
    QString table; // the expected table as TSV ("refused" for a refusal); empty when there is none
    QString values; // the table of value texts (--values), where it differs; else table
};

// Every sample: the .xls workbooks of xls/ and xls-extra/ (NAME.xls with NAME.tsv and
// NAME.values.tsv), and the files of formats/ and formats-extra/ (NAME.EXT with NAME.EXT.tsv
// and NAME.EXT.values.tsv); the workbooks of shown/, without tables.
QList<SampleDataFile> sampleDataFiles();

// The table (or the value texts' table) of a sample, from its path.
QByteArray expectedTable(const QString &tablePath);

} // namespace tagloom::test
