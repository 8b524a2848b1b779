// Opens an OLE2 compound file with libgsf and hands out its workbook stream.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tagloom {

class CompoundFile
{
public:
    // Whether a file's first bytes are those of an OLE2 compound file.
    static bool hasSignature(QByteArrayView head);
    // The bytes of the "Workbook" stream; throws WorkbookError, encrypted() for the compound file
    // in which Office keeps a password-protected .xlsx.
    static QByteArray workbookStream(const QByteArray &fileBytes);
};

} // namespace tagloom
