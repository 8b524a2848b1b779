// Streams the cells of an .xlsx worksheet part into a Sheet: rows and cells found by their r
// attribute or, without one, by their order; values as texts by the cell's type and style.
#pragma once

#include "Sheet.h"
#include "SheetBuilder.h"

#include <QString>
#include <vector>

class QXmlStreamAttributes;

namespace tagloom {

class CellFormats;
class XmlPart;

class XlsxSheetReader
{
public:
    XlsxSheetReader(const std::vector<QString> &sharedStrings, const CellFormats &formats);

    // Throws WorkbookError.
    Sheet read(XmlPart &part);

private:
    void readCell(XmlPart &part, const QXmlStreamAttributes &attributes, qint64 row, qint64 column);
    QString valueText(QStringView type, const QString &value, quint32 style) const;

    const std::vector<QString> &sharedStrings_;
    const CellFormats &formats_;
    SheetBuilder builder_;
};

} // namespace tagloom
