// One XML part of a zip package, parsed as a stream while it inflates, with bounded tokens.
#include "XmlPart.h"

#include "SheetBuilder.h"
#include "WorkbookError.h"

namespace tagloom {

XmlPart::XmlPart(const ZipArchive &archive, const QString &name)
    : device_(archive.open(name))
{
    if (!device_) throw WorkbookError::damaged();
    xml_.setDevice(device_.get());
}

QXmlStreamReader::TokenType XmlPart::readNext()
{
    device_->limitFurtherReads(maxTokenBytes);
    const QXmlStreamReader::TokenType token = xml_.readNext();
    if (device_->limitReached()) throw WorkbookError::xmlTooLong();
    switch (token) {
    case QXmlStreamReader::Invalid:
        throw WorkbookError::damaged();
    case QXmlStreamReader::DTD:
        // Entities are expanded where they are referenced, each time anew: one of 4 KB
        // referenced 50,000 times makes a cell of 200 million characters.
        if (!xml_.entityDeclarations().isEmpty()) throw WorkbookError::xmlEntities();
        break;
    case QXmlStreamReader::StartElement:
        if (++depth_ > maxDepth) throw WorkbookError::xmlTooDeep();
        break;
    case QXmlStreamReader::EndElement:
        --depth_;
        break;
    default:
        break;
    }
    return token;
}

bool XmlPart::nextStartElement()
{
    while (!xml_.atEnd()) {
        if (readNext() == QXmlStreamReader::StartElement) return true;
    }
    return false;
}

bool XmlPart::readNextStartElement()
{
    while (!xml_.atEnd()) {
        switch (readNext()) {
        case QXmlStreamReader::StartElement:
            return true;
        case QXmlStreamReader::EndElement:
        case QXmlStreamReader::EndDocument:
            return false;
        default:
            break;
        }
    }
    return false;
}

void XmlPart::skipCurrentElement()
{
    for (int depth = 1; depth > 0 && !xml_.atEnd();) {
        const QXmlStreamReader::TokenType token = readNext();
        if (token == QXmlStreamReader::StartElement)
            ++depth;
        else if (token == QXmlStreamReader::EndElement)
            --depth;
    }
}

QString XmlPart::readElementText()
{
    QString text;
    while (!xml_.atEnd()) {
        switch (readNext()) {
        case QXmlStreamReader::Characters:
            SheetBuilder::checkCellLength(text.size() + xml_.text().size());
            text += xml_.text();
            break;
        case QXmlStreamReader::StartElement:
            throw WorkbookError::damaged();
        case QXmlStreamReader::EndElement:
            return text;
        default:
            break;
        }
    }
    return text;
}

void XmlPart::checkRead() const
{
    if (xml_.hasError() || device_->failed()) throw WorkbookError::damaged();
}

} // namespace tagloom
