// The relationships of an Office Open XML package and the part names they lead to.
#include "OpcPackage.h"

#include "WorkbookError.h"
#include "XmlPart.h"
#include "ZipArchive.h"

#include <QStringList>

namespace tagloom {

namespace {

QString folderOf(const QString &part)
{
    return part.left(part.lastIndexOf(u'/') + 1);
}

// A target relative to the source part's folder, or absolute from the package root, as a part
// name with "." and ".." resolved.
QString partName(const QString &sourcePart, const QString &target)
{
    const QString path = target.startsWith(u'/') ? target : folderOf(sourcePart) + target;
    QStringList segments;
    for (const QString &segment : path.split(u'/', Qt::SkipEmptyParts)) {
        if (segment == u"..") {
            if (!segments.isEmpty()) segments.removeLast();
        } else if (segment != u".") {
            segments.append(segment);
        }
    }
    return segments.join(u'/');
}

} // namespace

std::vector<OpcRelationship> OpcPackage::relationships(
    const ZipArchive &archive, const QString &sourcePart)
{
    const QString relsPart = folderOf(sourcePart) + QStringLiteral("_rels/")
        + sourcePart.mid(sourcePart.lastIndexOf(u'/') + 1) + QStringLiteral(".rels");
    std::vector<OpcRelationship> found;
    qint64 text = 0;
    if (!archive.contains(relsPart)) return found;
    XmlPart part(archive, relsPart);
    const QXmlStreamReader &xml = part.xml();
    while (part.nextStartElement()) {
        if (xml.name() != u"Relationship") continue;
        const QXmlStreamAttributes attributes = xml.attributes();
        if (attributes.value(QLatin1String("TargetMode")) == u"External") continue;
        const QStringView type = attributes.value(QLatin1String("Type"));
        OpcRelationship relationship;
        relationship.id = attributes.value(QLatin1String("Id")).toString();
        relationship.type = type.mid(type.lastIndexOf(u'/') + 1).toString();
        relationship.target
            = partName(sourcePart, attributes.value(QLatin1String("Target")).toString());
        text += relationship.id.size() + relationship.type.size() + relationship.target.size();
        if (found.size() == maxRelationships || text > maxRelationshipText)
            throw WorkbookError::tooManyRelationships();
        found.push_back(std::move(relationship));
    }
    part.checkRead();
    return found;
}

OpcRelationship OpcPackage::first(const std::vector<OpcRelationship> &all, QStringView type)
{
    for (const OpcRelationship &relationship : all) {
        if (relationship.type == type) return relationship;
    }
    return {};
}

} // namespace tagloom
