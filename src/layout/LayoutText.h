// The text of a layout file: its bytes read, decoded and cut into lines. Files written here are
// UTF-8; files from Chinese Windows systems are GB18030 (GBK), which is taken when the bytes are
// not valid UTF-8.
#pragma once

#include <QByteArray>
#include <QStringList>
#include <optional>

namespace tagloom {

class LayoutText
{
public:
    // Far beyond any real layout (at most 257 short lines and two paths); larger files are refused
    // rather than read into memory.
    static constexpr qint64 maxBytes = 1 << 20;

    // The lines of a layout file; nothing, saying why in `reason`, when it cannot be read, is
    // too large or is no text.
    static std::optional<QStringList> read(const QString &path, QString *reason = nullptr);

    // The lines of the content, split at LF with a CR before it dropped. Text after the last line
    // end is a line of its own. Nothing when the bytes decode neither as UTF-8 nor as GB18030:
    // a guessed character in a path would name another file.
    static std::optional<QStringList> lines(const QByteArray &bytes);

    // Whether an existing file looks like a layout this program wrote: empty, or starting with
    // the picture line. Anything else (a workbook, a picture) is worth a second question before
    // a layout replaces it.
    static bool looksLikeLayout(const QString &path);
};

} // namespace tagloom
