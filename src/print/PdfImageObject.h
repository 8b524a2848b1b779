// A picture as a PDF image object, in the fewest bits that keep it exact: one bit a pixel for
// black and white (codes), eight for grey, else RGB, with its transparency as a soft mask.
#pragma once

class QImage;

namespace tagloom {

class PdfObjectWriter;

// Writes `image` and returns its object; `smooth` lets viewers interpolate when they scale it.
int writePdfImage(PdfObjectWriter &objects, const QImage &image, bool smooth);

} // namespace tagloom
