// Owns one zint symbol for a single encode and reads its module matrix.
// Internal to the codes library: zint's header stays out of the public API.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <zint.h>

namespace tagloom {

class ZintSymbol
{
public:
    explicit ZintSymbol(int symbology);

    // The options zint reads before encoding (input mode, option_1..3 and so on).
    zint_symbol *operator->() const { return symbol_.get(); }

    // Encodes the bytes; true also when zint only warns.
    bool encode(const QByteArray &data);
    // zint's status of the last encode: ZINT_ERROR_TOO_LONG and so on, and its own words on it.
    int status() const { return status_; }
    QString message() const;

    int rows() const { return symbol_->rows; }
    int columns() const { return symbol_->width; }
    bool isDark(int row, int column) const;
    // A row's height in modules as zint sets it; 0 where the rows share the symbol's height.
    float rowHeight(int row) const;
    float height() const;
    // The human-readable text zint made for the symbol (control characters blanked).
    QString humanText() const;

private:
    std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)> symbol_;
    int status_ = 0;
};

} // namespace tagloom
