// The relationships of an Office Open XML package (an .xlsx): which part is the workbook, which
// are its sheets, styles and shared strings, wherever the writer put them.
#pragma once

#include <QString>
#include <vector>

namespace tagloom {

class ZipArchive;

struct OpcRelationship
{
    QString id;
    QString type; // the last segment of the type URI: "officeDocument", "worksheet", ...
    QString target; // the part name inside the package, without a leading '/'
};

class OpcPackage
{
public:
    // Far more than a workbook's parts have (one a sheet, picture, link, ...), and their text.
    static constexpr std::size_t maxRelationships = 65536;
    static constexpr qint64 maxRelationshipText = 16777216;

    // The relationships of a part ("" for the package itself); none when it has no .rels part.
    // Throws WorkbookError: damaged(), tooManyRelationships() past the limits above.
    static std::vector<OpcRelationship> relationships(
        const ZipArchive &archive, const QString &sourcePart);
    // The first relationship of a type; an empty target when there is none.
    static OpcRelationship first(const std::vector<OpcRelationship> &all, QStringView type);
};

} // namespace tagloom
