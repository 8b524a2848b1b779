// One XML part of a zip package, parsed as a stream while it inflates. Every token is read
// through it, so that what a part can make the reader hold stays small: QXmlStreamReader keeps
// a token whole (a number of a billion digits would be one) and an element per open level, and
// expands each reference to an internal entity anew.
#pragma once

#include "ZipArchive.h"

#include <QXmlStreamReader>
#include <memory>

namespace tagloom {

class XmlPart
{
public:
    // Far beyond what a spreadsheet nests (rows in nested groups, spans in spans).
    static constexpr int maxDepth = 256;
    // The raw bytes of one token: room for a cell of SheetBuilder::maxCellLength characters
    // written as character references.
    static constexpr qint64 maxTokenBytes = qint64(16) << 20;

    // Throws WorkbookError::damaged() when the package has no such part.
    XmlPart(const ZipArchive &archive, const QString &name);

    // The token read last: its name, attributes, text, ...
    const QXmlStreamReader &xml() const { return xml_; }

    // The next token. Throws WorkbookError: damaged() when the part is not well-formed XML, is
    // cut short or does not inflate as it should; xmlEntities() for a document type that
    // declares entities (no spreadsheet writer does); xmlTooDeep() past maxDepth; xmlTooLong()
    // for a token past maxTokenBytes.
    QXmlStreamReader::TokenType readNext();
    // The next start element at any depth; false at the end of the part.
    bool nextStartElement();
    // As QXmlStreamReader's: the next child element of the current one; false at its end.
    bool readNextStartElement();
    // Reads to the end of the current element.
    void skipCurrentElement();
    // The text of the current element, read to its end; throws WorkbookError::cellTooLong() past
    // SheetBuilder::maxCellLength and damaged() for an element inside it.
    QString readElementText();
    // Throws WorkbookError::damaged() when the part did not inflate as it should.
    void checkRead() const;

private:
    std::unique_ptr<ZipEntryDevice> device_;
    QXmlStreamReader xml_;
    int depth_ = 0;
};

} // namespace tagloom
