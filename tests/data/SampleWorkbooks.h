// The sample workbooks of tests/fixtures/xls and tests/fixtures/xls-extra.
#pragma once

#include <QStringList>

namespace tagloom::test {

// Paths of every .xls sample, those with a .tsv of the expected table and those without.
QStringList sampleWorkbooks();

} // namespace tagloom::test
