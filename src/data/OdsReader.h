// Reads the table named sheet1 of an .ods spreadsheet (OpenDocument) from its content.xml:
// repeated rows and cells, covered (merged) cells, and each cell's value by its value type, or the
// text the writing application stored for it where its style gives it a number format.
#pragma once

#include "CellTexts.h"
#include "Sheet.h"
#include "SheetBuilder.h"

#include <QHash>
#include <QString>
#include <utility>
#include <vector>

class QXmlStreamAttributes;

namespace tagloom {

class XmlPart;
class ZipArchive;

class OdsReader
{
public:
    // Whether a zip archive is an OpenDocument package (it has a content.xml).
    static bool recognises(const ZipArchive &archive);
    // Throws WorkbookError: notSpreadsheetDocument() for a text or drawing document,
    // noSheet1(), damaged(), tooLarge(), ...
    static Sheet readSheet1(const ZipArchive &archive, CellTexts texts);

private:
    struct CellStyle
    {
        QString parent;
        bool numberFormat; // it names a data style of its own
    };
    struct ColumnStyle
    {
        qint64 first; // column
        qint64 end;
        QString style; // the default style of these columns' cells
    };

    explicit OdsReader(CellTexts texts)
        : texts_(texts)
    {
    }

    // A style:style element of the table-cell family, from styles.xml or content.xml.
    void readStyle(const QXmlStreamAttributes &attributes);
    bool hasNumberFormat(const QString &style) const;
    void readTable(XmlPart &part);
    void readColumn(const QXmlStreamAttributes &attributes);
    void readRow(XmlPart &part);
    QString cellText(XmlPart &part, const QString &style);
    QString columnStyle(qint64 column) const;

    CellTexts texts_;
    QHash<QString, CellStyle> styles_;
    std::vector<ColumnStyle> columnStyles_; // ascending
    qint64 styleText_ = 0; // the characters of the style names kept above
    qint64 column_ = 0; // where the next table-column starts
    SheetBuilder builder_;
    qint64 row_ = 0;
    std::vector<std::pair<qint64, QString>> rowCells_; // the non-empty cells of the current row
};

} // namespace tagloom
