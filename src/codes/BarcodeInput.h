// What each barcode type takes from a cell: its characters and lengths, the check digit of the
// GS1 number types (EAN, UPC, ITF-14) added when missing and verified when given, and what zint
// is handed to encode. Internal to the codes library.
#pragma once

#include "BarcodeType.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace tagloom {

class ZintSymbol;

class BarcodeInput
{
public:
    // zint's input for a non-empty text, or nothing with the refusal: what the text is not or why
    // it cannot be encoded, worded to follow the cell's name ("不是 EAN-13：校验位应为 4").
    static std::optional<BarcodeInput> of(BarcodeType type, const QString &text, QString *refusal);

    // A fresh zint symbol set up for this input.
    ZintSymbol symbol() const;
    const QByteArray &bytes() const { return bytes_; }
    // The refusal for zint's failing to encode this input.
    QString refusal(const ZintSymbol &failed) const;

private:
    BarcodeInput(BarcodeType type, QByteArray bytes, int inputMode, int eci = 0);

    BarcodeType type_;
    QByteArray bytes_;
    int inputMode_;
    int eci_;
};

} // namespace tagloom
