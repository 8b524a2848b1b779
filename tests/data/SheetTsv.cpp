// The data table of a sheet in the escaped TSV form the sample .tsv files hold.
#include "SheetTsv.h"

#include "data/Sheet.h"

#include <QStringList>

namespace tagloom::test {

namespace {

QString escaped(QString text)
{
    return text.replace(QLatin1String("\\"), QLatin1String("\\\\"))
        .replace(QLatin1String("\t"), QLatin1String("\\t"))
        .replace(QLatin1String("\r"), QLatin1String("\\r"))
        .replace(QLatin1String("\n"), QLatin1String("\\n"));
}

} // namespace

QByteArray sheetTsv(const Sheet &sheet)
{
    QString tsv;
    for (int row = 0; row < sheet.rowCount(); ++row) {
        QStringList line {row == 0 ? QString() : QString::number(row)};
        for (int column = 0; column < sheet.columnCount(); ++column)
            line << escaped(sheet.cell(row, column));
        tsv += line.join(u'\t') + u'\n';
    }
    return tsv.toUtf8();
}

} // namespace tagloom::test
