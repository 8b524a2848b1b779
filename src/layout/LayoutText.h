// The text of a layout file: its bytes read, decoded and cut into lines. Files written here are
// UTF-8; files from Chinese Windows systems are GB18030 (GBK), which is taken when the bytes are
// not valid UTF-8.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <optional>

namespace tagloom {

class LayoutText
{
public:
    // Far beyond any real layout (at most 257 short positional lines, two paths and seven short
    // entries an item after them); larger files are refused rather than read into memory.
    static constexpr qint64 maxBytes = 1 << 20;

    // The text of a layout file; nothing, saying why in `reason`, when it cannot be read, is
    // too large or is no text.
    static std::optional<LayoutText> read(const QString &path, QString *reason = nullptr);

    // The text of the content, split into lines at LF with a CR before it dropped. Text after the
    // last line end is a line of its own. Nothing when the bytes decode neither as UTF-8 nor as
    // GB18030: a guessed character in a path would name another file.
    static std::optional<LayoutText> decode(const QByteArray &bytes);

    const QStringList &lines() const { return lines_; }

    // Line n (from 1) as GB18030 when the file was read as UTF-8 but the line's bytes are valid
    // GB18030 too, and mean something else there: a GBK file can be valid UTF-8 by chance (GBK
    // "签/签.png" is UTF-8 "ǩ/ǩ.png"). Which reading is meant, the text alone cannot tell.
    std::optional<QString> otherReading(int n) const;

    // Whether an existing file looks like a layout this program wrote: empty, or starting with
    // the picture line. Anything else (a workbook, a picture) is worth a second question before
    // a layout replaces it.
    static bool looksLikeLayout(const QString &path);

private:
    QStringList lines_;
    QHash<int, QString> otherReadings_; // by line number
};

} // namespace tagloom
