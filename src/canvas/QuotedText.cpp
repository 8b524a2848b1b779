// Shortening quoted text.
#include "QuotedText.h"

namespace tagloom {

QString QuotedText::shortened(const QString &text)
{
    if (text.size() <= mostCharacters) return text;
    qsizetype head = mostCharacters * 3 / 4;
    qsizetype tail = mostCharacters - head - 1;
    // Never half a character outside the Basic Multilingual Plane.
    if (text.at(head - 1).isHighSurrogate()) --head;
    if (text.at(text.size() - tail).isLowSurrogate()) --tail;
    return text.first(head) + QChar(0x2026) + text.last(tail);
}

} // namespace tagloom
