// One XML part of a zip package, parsed as a stream while it inflates.
#include "XmlPart.h"

#include "WorkbookError.h"

namespace tagloom {

XmlPart::XmlPart(const ZipArchive &archive, const QString &name)
    : device_(archive.open(name))
{
    if (!device_) throw WorkbookError::damaged();
    xml_.setDevice(device_.get());
}

bool XmlPart::nextStartElement()
{
    while (!xml_.atEnd()) {
        if (xml_.readNext() == QXmlStreamReader::StartElement) return true;
    }
    return false;
}

void XmlPart::checkRead() const
{
    if (xml_.hasError() || device_->failed()) throw WorkbookError::damaged();
}

} // namespace tagloom
