// Writing the data table as escaped tab-separated text.
#include "DataTableTsv.h"

#include "DataTable.h"

namespace tagloom {

namespace {

void appendEscaped(QByteArray &out, const QString &cell)
{
    const QByteArray utf8 = cell.toUtf8();
    for (const char byte : utf8) {
        switch (byte) {
        case '\\':
            out.append("\\\\");
            break;
        case '\t':
            out.append("\\t");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\n':
            out.append("\\n");
            break;
        default:
            out.append(byte);
        }
    }
}

} // namespace

QByteArray DataTableTsv::write(const DataTable &table)
{
    QByteArray out;
    for (int row = 0; row < table.rows(); ++row) {
        for (int col = 0; col < table.cols(); ++col) {
            if (col > 0) out.append('\t');
            appendEscaped(out, table.cell(row, col));
        }
        out.append('\n');
    }
    return out;
}

} // namespace tagloom
