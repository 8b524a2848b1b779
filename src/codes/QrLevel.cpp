// The names of the QR code's error correction levels.
#include "QrLevel.h"

namespace tagloom {

QString qrLevelName(QrLevel level)
{
    return QString(QChar("LMQH"[static_cast<int>(level)]));
}

std::optional<QrLevel> qrLevelFromName(const QString &name)
{
    for (const QrLevel level : allQrLevels) {
        if (name == qrLevelName(level)) return level;
    }
    return std::nullopt;
}

int qrLevelRecovery(QrLevel level)
{
    constexpr int percent[] = {7, 15, 25, 30};
    return percent[static_cast<int>(level)];
}

} // namespace tagloom
