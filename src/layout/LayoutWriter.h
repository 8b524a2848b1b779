// Writes a design to a layout file: N + 5 lines ending in CR LF, in UTF-8. Lines 1 and 2 hold the
// picture and data paths, lines 3 .. N + 1 Top, Left and font size of field items 1 .. N - 1, then
// the QR code image line and the barcode holder line (Top, Left, Width, Height; empty when the
// item is not inserted) and the list indexes of the two source choosers. The extension block
// with what these lines cannot hold follows them (LayoutExtension).
#pragma once

#include <QByteArray>
#include <QString>

namespace tagloom {

class LabelDesign;
class MainPanel;

class LayoutWriter
{
public:
    // The file's text for a layout in `folder`, which relative paths are taken from.
    static QByteArray text(
        const MainPanel &panel, const LabelDesign &design, const QString &folder);

    // Writes the text completely beside the file, then puts it in the file's place in one step:
    // a failure leaves an existing file as it was. Only a regular file is replaced, a link's
    // file in its place (SaveTarget). False with the reason on failure.
    static bool save(
        const MainPanel &panel, const LabelDesign &design, const QString &path, QString *reason);
};

} // namespace tagloom
