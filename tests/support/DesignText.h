// Everything of a label design, one attribute after the other, as text: what tests compare designs
// by, so that a difference shows by name.
#pragma once

#include <QString>

namespace tagloom {
class LabelDesign;
}

namespace tagloom::test {

QString describe(const LabelDesign &design);

} // namespace tagloom::test
