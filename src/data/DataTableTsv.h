// The data table as tab-separated UTF-8 text: one line per table row, row 0 included, every line
// ended by LF; backslash, TAB, CR and LF inside a cell written \\, \t, \r and \n.
#pragma once

#include <QByteArray>
#include <QIODevice>

namespace tagloom {

class DataTable;

class DataTableTsv
{
public:
    static QByteArray write(const DataTable &table);
    // The same written to device a piece at a time, never held whole; false when a write fails.
    static bool write(const DataTable &table, QIODevice &device);
};

} // namespace tagloom
