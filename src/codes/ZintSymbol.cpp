// Owns one zint symbol for a single encode and reads its module matrix.
#include "ZintSymbol.h"

#include <new>

namespace tagloom {

ZintSymbol::ZintSymbol(int symbology)
    : symbol_(ZBarcode_Create(), &ZBarcode_Delete)
{
    if (!symbol_) throw std::bad_alloc();
    symbol_->symbology = symbology;
}

bool ZintSymbol::encode(const QByteArray &data)
{
    status_ = ZBarcode_Encode(symbol_.get(), reinterpret_cast<const unsigned char *>(data.data()),
        static_cast<int>(data.size()));
    return status_ < ZINT_ERROR;
}

bool ZintSymbol::isDark(int row, int column) const
{
    return (symbol_->encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

QString ZintSymbol::message() const
{
    return QString::fromUtf8(symbol_->errtxt);
}

float ZintSymbol::rowHeight(int row) const
{
    return symbol_->row_height[row];
}

float ZintSymbol::height() const
{
    return symbol_->height;
}

QString ZintSymbol::humanText() const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(symbol_->text));
}

} // namespace tagloom
