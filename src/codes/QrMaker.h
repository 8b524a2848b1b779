// The label's QR code generator: holds the text to encode, the error correction level and the
// picture of its code. At construction it shows the design code ("QRCODE", version 1, level M,
// mask 0).
#pragma once

#include "QrLevel.h"

#include <QImage>
#include <QString>
#include <array>
#include <memory>
#include <optional>

namespace tagloom {

class QrMaker
{
public:
    QrMaker();

    void setCodeData(const QString &text) { codeData_ = text; }
    const QString &codeData() const { return codeData_; }

    // Level M unless chosen otherwise. Changing it gives the code of the text last encoded at the
    // new level (the design code stays at version 1, mask 0); the code of every level is kept
    // until the next refresh(), so going back to a level gives back the very picture it had.
    QrLevel level() const { return level_; }
    void setLevel(QrLevel level);

    // Encodes the current code data into a new picture at the level. An empty text gives a null
    // picture (the label goes without a code); a text that cannot be encoded gives a null picture
    // too and sets lastProblem().
    void refresh();

    // The same object until the level changes or the next refresh(), so callers can tell whether
    // an item still shows this generator's picture by comparing pointers. Never nullptr.
    std::shared_ptr<const QImage> codePicture() const { return current().picture; }

    // Why the last refresh() gave no code; empty when it gave one or the text was empty.
    const QString &lastProblem() const { return current().problem; }

    // Writes the current code as a Windows bitmap, one pixel per module, replacing any file
    // at path. mode is accepted and ignored: every value writes the same 1-bit bitmap.
    bool saveBitmap(const QString &path, int mode, QString *reason) const;

    // Whether refresh() would give a code for text at the level (an empty text is fine: no code).
    static bool canEncode(const QString &text, QrLevel level, QString *reason);
    // The modules a side of the code refresh() gives for a non-empty text; 0 when it gives none.
    static int modulesFor(const QString &text, QrLevel level);

private:
    struct Code
    {
        std::shared_ptr<const QImage> picture;
        QString problem;
    };

    const Code &current() const { return *codes_[static_cast<size_t>(level_)]; }
    // The encoded text at the current level.
    Code encoded() const;

    QString codeData_;
    QString encodedData_; // the text the codes are of
    bool designCode_ = true; // until the first refresh()
    QrLevel level_ = QrLevel::M;
    std::array<std::optional<Code>, std::size(allQrLevels)> codes_;
};

} // namespace tagloom
