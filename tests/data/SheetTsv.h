// The data table of a sheet in the escaped TSV form the sample .tsv files hold.
#pragma once

#include <QByteArray>

namespace tagloom {
class Sheet;
}

namespace tagloom::test {

// Row 0: an empty cell, then the headers; row r: r, then the cells of record r.
QByteArray sheetTsv(const Sheet &sheet);

} // namespace tagloom::test
