// A picture for a printer whose dots burn or do not: grey, as in a photographed label, becomes an
// 8 x 8 ordered dither of black and white. Colours within about 7 % of white stay paper and near
// black stays black, as a driver's paper white and black do.
#pragma once

#include <QImage>

namespace tagloom {

// Black and white only, the size of `picture`.
QImage ditheredToDots(const QImage &picture);

} // namespace tagloom
