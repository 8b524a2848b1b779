// Turns bytes into a QR code picture with zint.
#include "QrEncoder.h"

#include "ZintSymbol.h"

namespace tagloom {

std::optional<QImage> QrEncoder::encode(
    const QByteArray &bytes, QrLevel level, int version, int mask, QString *reason)
{
    ZintSymbol symbol(BARCODE_QRCODE);
    // Raw bytes without an ECI header: the cell text as UTF-8, which readers take as UTF-8.
    symbol->input_mode = DATA_MODE;
    symbol->option_1 = static_cast<int>(level) + 1; // zint counts L, M, Q, H from 1
    symbol->option_2 = version;
    symbol->option_3 = mask == bestMask ? 0 : (mask + 1) << 8;
    if (!symbol.encode(bytes)) {
        if (reason)
            *reason = symbol.status() == ZINT_ERROR_TOO_LONG ? QStringLiteral("二维码内容太长")
                                                             : QStringLiteral("无法生成二维码");
        return std::nullopt;
    }

    // Plain 8-bit grey: every paint device takes it as is, and drawn without smoothing each
    // module stays a sharp square however far the canvas stretches it.
    QImage picture(symbol.columns(), symbol.rows(), QImage::Format_Grayscale8);
    for (int row = 0; row < symbol.rows(); ++row) {
        uchar *line = picture.scanLine(row);
        for (int column = 0; column < symbol.columns(); ++column)
            line[column] = symbol.isDark(row, column) ? 0 : 255;
    }
    return picture;
}

} // namespace tagloom
