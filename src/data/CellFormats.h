// Which cell styles (XF records, xlsx cellXfs) show numbers as dates or times.
#pragma once

#include <QHash>
#include <QString>
#include <QStringView>
#include <vector>

namespace tagloom {

class CellFormats
{
public:
    CellFormats() = default;
    // patterns: the format codes by format id; xfFormatIds: the format id of each XF, in order.
    CellFormats(const QHash<quint32, QString> &patterns, const std::vector<quint32> &xfFormatIds);

    // An index without an XF record is no date: some writers leave the styles out.
    bool isDate(quint32 xfIndex) const { return xfIndex < dateXfs_.size() && dateXfs_[xfIndex]; }

    // A pattern with y, m, d, h or s outside quoted text, [...] and backslash escapes.
    static bool isDatePattern(QStringView pattern);

private:
    std::vector<bool> dateXfs_;
};

} // namespace tagloom
