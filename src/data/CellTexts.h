// Which text a number cell gives: the one its number format shows, as the workbook shows it, or
// its value as such (`tagloom table --values`, for scripts that read the values).
#pragma once

namespace tagloom {

enum class CellTexts { Shown, Values };

} // namespace tagloom
