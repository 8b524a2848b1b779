// The symbologies the barcode item draws, by the names a person and a layout file know them by.
#pragma once

#include <QString>
#include <optional>

namespace tagloom {

enum class BarcodeType { Code128, Ean13, Ean8, UpcA, Itf14, Code39, Gs1_128, DataMatrix, Pdf417 };

inline constexpr BarcodeType allBarcodeTypes[] = {BarcodeType::Code128, BarcodeType::Ean13,
    BarcodeType::Ean8, BarcodeType::UpcA, BarcodeType::Itf14, BarcodeType::Code39,
    BarcodeType::Gs1_128, BarcodeType::DataMatrix, BarcodeType::Pdf417};

// The name a person reads: "EAN-13".
QString barcodeTypeName(BarcodeType type);
// The name the layout file's extension block writes: "ean13".
QString barcodeTypeKeyword(BarcodeType type);
std::optional<BarcodeType> barcodeTypeFromKeyword(const QString &keyword);

} // namespace tagloom
