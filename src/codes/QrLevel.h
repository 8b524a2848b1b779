// The QR code's error correction levels: the share of the symbol a reader can restore when it is
// soiled or torn, bought with a larger symbol.
#pragma once

#include <QString>
#include <optional>

namespace tagloom {

enum class QrLevel { L, M, Q, H };

inline constexpr QrLevel allQrLevels[] = {QrLevel::L, QrLevel::M, QrLevel::Q, QrLevel::H};

// "L", "M", "Q" or "H", as a person and the layout file's extension block know it.
QString qrLevelName(QrLevel level);
std::optional<QrLevel> qrLevelFromName(const QString &name);
// About the percentage of the codewords a reader restores at the level: 7, 15, 25 or 30.
int qrLevelRecovery(QrLevel level);

} // namespace tagloom
