// One XML part of a zip package, parsed as a stream while it inflates. QXmlStreamReader keeps
// no tree (absurd nesting costs no stack) and bounds what an entity may expand to.
#pragma once

#include "ZipArchive.h"

#include <QXmlStreamReader>
#include <memory>

namespace tagloom {

class XmlPart
{
public:
    // Throws WorkbookError::damaged() when the package has no such part.
    XmlPart(const ZipArchive &archive, const QString &name);

    QXmlStreamReader &xml() { return xml_; }
    // The next start element at any depth; false at the end of the part or at an error.
    bool nextStartElement();
    // Throws WorkbookError::damaged() when the part is not well-formed XML, is cut short or
    // does not inflate as it should.
    void checkRead() const;

private:
    std::unique_ptr<ZipEntryDevice> device_;
    QXmlStreamReader xml_;
};

} // namespace tagloom
