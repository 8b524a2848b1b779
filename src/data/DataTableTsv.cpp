// Writing the data table as escaped tab-separated text.
#include "DataTableTsv.h"

#include "DataTable.h"

#include <QBuffer>
#include <QStringEncoder>
#include <algorithm>

namespace tagloom {

namespace {

// The cell in UTF-8, encoded straight into the output; the rare cells that need escapes go the
// slow way.
void appendEscaped(QByteArray &out, QStringEncoder &utf8, const QString &cell)
{
    const bool plain = std::none_of(cell.begin(), cell.end(),
        [](QChar c) { return c == u'\\' || c == u'\t' || c == u'\r' || c == u'\n'; });
    if (plain) {
        const qsizetype size = out.size();
        out.resize(size + cell.size() * 3); // the most UTF-8 takes for a UTF-16 unit
        char *end = utf8.appendToBuffer(out.data() + size, cell);
        out.truncate(end - out.constData());
        return;
    }
    for (const char byte : cell.toUtf8()) {
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
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    write(table, buffer);
    return buffer.data();
}

bool DataTableTsv::write(const DataTable &table, QIODevice &device)
{
    constexpr qsizetype pieceSize = 1 << 20;
    QByteArray out;
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    for (int row = 0; row < table.rows(); ++row) {
        for (int col = 0; col < table.cols(); ++col) {
            if (col > 0) out.append('\t');
            appendEscaped(out, utf8, table.cell(row, col));
        }
        out.append('\n');
        if (out.size() >= pieceSize || row + 1 == table.rows()) {
            if (device.write(out) != out.size()) return false;
            out.resize(0); // keeps its room for the next piece
        }
    }
    return true;
}

} // namespace tagloom
