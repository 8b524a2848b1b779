// Text from a file quoted in a message: a line of a damaged layout or a spreadsheet cell may run
// to tens of thousands of characters, which no message box or terminal line should carry whole.
#pragma once

#include <QString>

namespace tagloom {

class QuotedText
{
public:
    static constexpr qsizetype mostCharacters = 80;

    // The text as it is when it is short; else its beginning and its end with "…" between them,
    // mostCharacters in all, so that a long path keeps its file name.
    static QString shortened(const QString &text);
};

} // namespace tagloom
