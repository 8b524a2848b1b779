// Loads a label picture from a file, refusing files that are missing, empty, cut short or no
// picture.
#pragma once

#include <QImage>
#include <QString>
#include <optional>

namespace tagloom {

class PictureLoader
{
public:
    static std::optional<QImage> load(const QString &path, QString *reason = nullptr);
};

} // namespace tagloom
