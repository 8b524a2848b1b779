// Writing and reading numbers in the program's locale-independent form.
#include "NumberText.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace tagloom {

QString NumberText::fromSingle(float value)
{
    if (value == 0) return QStringLiteral("0"); // no "-0"
    return QLocale::c().toString(double(value), 'G', 7);
}

std::optional<double> NumberText::toDouble(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) return std::nullopt;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = c.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<float> NumberText::toSingle(const QString &text)
{
    const std::optional<double> value = toDouble(text);
    if (!value || std::fabs(*value) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return static_cast<float>(*value);
}

} // namespace tagloom
