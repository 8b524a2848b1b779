// Turns bytes into a QR code picture with zint: one pixel per module, black on white,
// no quiet zone.
#pragma once

#include "QrLevel.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <optional>

namespace tagloom {

class QrEncoder
{
public:
    static constexpr int smallestVersion = 0; // let zint pick the smallest version that fits
    static constexpr int bestMask = -1; // let zint pick the mask that scores best

    // The picture of the symbol, or nullopt with a reason (e.g. the bytes do not fit version 40).
    // version is 1..40 or smallestVersion, mask 0..7 or bestMask.
    static std::optional<QImage> encode(
        const QByteArray &bytes, QrLevel level, int version, int mask, QString *reason);
};

} // namespace tagloom
