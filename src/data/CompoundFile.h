// Opens an OLE2 compound file with libgsf and hands out its workbook stream.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tagloom {

class CompoundFile
{
public:
    // Refuses a file whose first bytes are not those of an OLE2 compound file.
    static void checkSignature(QByteArrayView head);
    // The bytes of the "Workbook" stream; throws WorkbookError.
    static QByteArray workbookStream(const QByteArray &fileBytes);
};

} // namespace tagloom
