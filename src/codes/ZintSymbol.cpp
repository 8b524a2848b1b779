// Owns one zint symbol for a single encode and reads its module matrix.
#include "codes/ZintSymbol.h"

#include <new>

namespace tagloom {

ZintSymbol::ZintSymbol(int symbology)
    : m_symbol(ZBarcode_Create(), &ZBarcode_Delete)
{
    if (!m_symbol) throw std::bad_alloc();
    m_symbol->symbology = symbology;
}

bool ZintSymbol::encode(const QByteArray &data)
{
    m_status = ZBarcode_Encode(m_symbol.get(), reinterpret_cast<const unsigned char *>(data.data()),
        static_cast<int>(data.size()));
    return m_status < ZINT_ERROR;
}

bool ZintSymbol::isDark(int row, int column) const
{
    return (m_symbol->encoded_data[row][column >> 3] >> (column & 7)) & 1;
}

QString ZintSymbol::humanText() const
{
    return QString::fromUtf8(reinterpret_cast<const char *>(m_symbol->text));
}

} // namespace tagloom
