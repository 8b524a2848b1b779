// Numbers as the program writes and reads them: single-precision values in their shortest form of
// at most 7 significant digits ("2000", "-120", "10.5", "0.5"), read back with "." as the decimal
// point whatever the locale.
#pragma once

#include <QString>
#include <optional>

namespace tagloom {

class NumberText
{
public:
    static QString fromSingle(float value);

    // A finite decimal number, spaces around it allowed; nothing for empty or other text.
    static std::optional<double> toDouble(const QString &text);
    // The same, also refusing values a single-precision number cannot hold.
    static std::optional<float> toSingle(const QString &text);
};

} // namespace tagloom
