// Putting a chosen label picture on the canvas.
#include "LabelPictureChoice.h"

#include "Workspace.h"
#include "canvas/LabelDesign.h"
#include "canvas/PictureLoader.h"

namespace tagloom {

bool LabelPictureChoice::apply(Workspace &workspace, const QString &path, QString *reason)
{
    workspace.panel().setLabelPicturePath(path);
    std::optional<QImage> picture = PictureLoader::load(path, reason);
    if (!picture) return false;
    workspace.canvas().setPicture(std::make_shared<const QImage>(std::move(*picture)));
    workspace.announcePictureApplied();
    return true;
}

} // namespace tagloom
