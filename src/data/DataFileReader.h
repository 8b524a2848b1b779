// The one entry point of the data file readers: tells an .xls, .xlsx or .ods workbook from its
// content, whatever its name, reads delimited text by its name (.csv, .tsv, .txt), and gives the
// sheet named sheet1 (or the text's one sheet) as texts, or a one-line reason for refusing it.
#pragma once

#include "CellTexts.h"
#include "Sheet.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tagloom {

class DataFileReader
{
public:
    // No data file is read past this: as text it would hold more than a table may (see
    // SheetBuilder), as a workbook it is none a person made for labels.
    static constexpr qint64 maxFileSize = qint64(1) << 30;

    static std::optional<Sheet> readSheet1(
        const QString &path, QString *reason, CellTexts texts = CellTexts::Shown);
    // The same from the bytes of a file; fileName's extension matters for delimited text only.
    static std::optional<Sheet> readSheet1(const QByteArray &fileBytes, const QString &fileName,
        QString *reason, CellTexts texts = CellTexts::Shown);
};

} // namespace tagloom
