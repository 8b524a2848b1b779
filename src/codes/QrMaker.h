// The label's QR code generator: holds the text to encode and the picture of its code.
// At construction it shows the design code ("QRCODE", version 1, level M, mask 0).
#pragma once

#include <QImage>
#include <QString>
#include <memory>

namespace tagloom {

class QrMaker
{
public:
    QrMaker();

    void setCodeData(const QString &text) { codeData_ = text; }
    const QString &codeData() const { return codeData_; }

    // Encodes the current code data into a new picture. An empty text gives a null picture
    // (the label goes without a code); a text that cannot be encoded gives a null picture too
    // and sets lastProblem().
    void refresh();

    // The same object until the next refresh(), so callers can tell whether an item
    // still shows this generator's picture by comparing pointers. Never nullptr.
    std::shared_ptr<const QImage> codePicture() const { return picture_; }

    // Why the last refresh() gave no code; empty when it gave one or the text was empty.
    const QString &lastProblem() const { return problem_; }

    // Writes the current code as a Windows bitmap, one pixel per module, replacing any file
    // at path. mode is accepted and ignored: every value writes the same 1-bit bitmap.
    bool saveBitmap(const QString &path, int mode, QString *reason) const;

    // Whether refresh() would give a code for text (an empty text is fine: no code).
    static bool canEncode(const QString &text, QString *reason);
    // The modules a side of the code refresh() gives for a non-empty text; 0 when it gives none.
    static int modulesFor(const QString &text);

private:
    QString codeData_;
    std::shared_ptr<const QImage> picture_;
    QString problem_;
};

} // namespace tagloom
