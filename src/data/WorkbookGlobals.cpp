// The workbook-wide records: where sheet1 starts, shared strings, cell styles, date system.
#include "WorkbookGlobals.h"

#include "BiffRecordCursor.h"
#include "WorkbookError.h"

namespace tagloom {

namespace {

void checkGlobalsBof(BiffRecordCursor &cursor)
{
    if (!cursor.next() || cursor.record().type() != biff::Bof) throw WorkbookError::notWorkbook();
    const quint16 version = cursor.record().u16();
    const quint16 kind = cursor.record().u16();
    if (version == 0x0500) throw WorkbookError::olderFormat();
    if (version != 0x0600 || kind != 0x0005) throw WorkbookError::notWorkbook();
}

} // namespace

WorkbookGlobals::WorkbookGlobals(QByteArrayView stream, CellTexts texts)
{
    bool dates1904 = false;
    BiffRecordCursor cursor(stream, 0);
    checkGlobalsBof(cursor);
    QHash<quint32, QString> patterns;
    qint64 patternText = 0;
    std::vector<quint32> xfFormatIds;
    while (cursor.next()) {
        CellFormats::checkCollected(xfFormatIds.size(), patterns.size(), patternText);
        BiffRecord &record = cursor.record();
        switch (record.type()) {
        case biff::Eof:
            formats_ = CellFormats(patterns, xfFormatIds, dates1904, texts);
            return;
        case biff::FilePass:
            throw WorkbookError::encrypted();
        case biff::BoundSheet: {
            const quint32 offset = record.u32();
            record.skip(2); // visibility and sheet kind
            const QString name = record.string8();
            if (!sheet1Offset_ && name.compare(u"sheet1", Qt::CaseInsensitive) == 0)
                sheet1Offset_ = offset;
            break;
        }
        case biff::Sst:
            strings_.read(record);
            break;
        case biff::Format: {
            const quint16 id = record.u16();
            // A format whose text is cut short (a real workbook has one a character short)
            // costs its cells their format only: they show as General.
            try {
                const QString code = record.string16();
                patternText += code.size();
                patterns.insert(id, code);
            } catch (const WorkbookError &) {
                patterns.insert(id, QStringLiteral("General"));
            }
            break;
        }
        case biff::Xf:
            record.skip(2); // font
            xfFormatIds.push_back(record.u16());
            break;
        case biff::DateMode:
            dates1904 = record.u16() != 0;
            break;
        }
    }
    throw WorkbookError::damaged(); // no EOF record
}

quint32 WorkbookGlobals::sheet1Offset() const
{
    if (!sheet1Offset_) throw WorkbookError::noSheet1();
    return *sheet1Offset_;
}

} // namespace tagloom
