// Loads a label picture from a file, refusing files that are missing, empty, cut short, damaged,
// too large or no picture, and saying which.
#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace tagloom {

class PictureLoader
{
public:
    // A 600-dpi scan of an A3 sheet (70 million pixels) still loads.
    static constexpr qint64 maxPixels = 80'000'000;
    static constexpr qint64 maxFileBytes = qint64(1) << 30;
    // Room for the largest picture at 16 bits a channel while it is read.
    static constexpr int allocationLimitMegabytes = 700;

    static std::optional<QImage> load(const QString &path, QString *reason = nullptr);

    // File name patterns of the picture formats the loader reads ("*.png" ...).
    static QStringList filePatterns();
};

} // namespace tagloom
