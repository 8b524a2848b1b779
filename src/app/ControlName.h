// Names of the elements of a control array, such as "Label1(3)": the windows' object names, by
// which tests and tools find them.
#pragma once

#include <QString>

namespace tagloom {

inline QString controlName(const char *array, int index)
{
    return QStringLiteral("%1(%2)").arg(QLatin1String(array)).arg(index);
}

} // namespace tagloom
