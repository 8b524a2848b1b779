// Where the tests find their sample files.
#pragma once

#include <QByteArray>
#include <QString>

namespace tagloom::test {

// Path of a file below tests/fixtures, e.g. fixture("xls/xlwt_basic.xls").
QString fixture(const QString &relativePath);
// The bytes of such a file; empty, failing the test, when it cannot be read.
QByteArray fixtureBytes(const QString &relativePath);

// Path of a file below the source tree, e.g. sourceFile("examples/label.png").
QString sourceFile(const QString &relativePath);

// Path of the tagloom program as built.
QString programBinary();

// Writes a workbook with /usr/bin/python3 and xlwt: `rows` are lists of cells (strings, or
// numbers written as Python literals prefixed with '='), the first row the headers.
// Returns false when the writer is not available.
bool writeWorkbook(
    const QString &path, const QList<QStringList> &rows, const QString &sheetName = "sheet1");

} // namespace tagloom::test
