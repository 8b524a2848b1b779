// Puts a label picture on the canvas: the path into Text1, the picture into Picture1 (the canvas
// window sizes itself to it), the docking timer started and the canvas window shown. Used by the
// picture command and by layout loading.
#pragma once

#include <QString>

namespace tagloom {

class Workspace;

class LabelPictureChoice
{
public:
    // False, saying why, when the file cannot be read as a picture: then only Text1 has changed.
    static bool apply(Workspace &workspace, const QString &path, QString *reason = nullptr);
};

} // namespace tagloom
