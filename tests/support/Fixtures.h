// Where the tests find their sample files.
#pragma once

#include <QString>

namespace tagloom::test {

// Path of a file below tests/fixtures, e.g. fixture("xls/xlwt_basic.xls").
QString fixture(const QString &relativePath);

// Path of a file below the source tree, e.g. sourceFile("examples/label.png").
QString sourceFile(const QString &relativePath);

} // namespace tagloom::test
