// The rules of each barcode type for a cell's text, and zint's input made from it.
#include "BarcodeInput.h"

#include "ZintSymbol.h"

#include <QRegularExpression>
#include <algorithm>

namespace tagloom {

namespace {

constexpr int utf8Eci = 26;

bool isDigit(QChar c)
{
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}

bool allDigits(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), &isDigit);
}

bool allAscii(const QString &text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

// The GS1 check digit of a number: weights 3 and 1 alternating from the right.
QChar checkDigit(QStringView digits)
{
    int sum = 0;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        const int digit = digits[digits.size() - 1 - i].unicode() - u'0';
        sum += i % 2 == 0 ? 3 * digit : digit;
    }
    return QChar(u'0' + (10 - sum % 10) % 10);
}

// The digits a GS1 number type takes, with its check digit; 0 for the other types.
int gtinLength(BarcodeType type)
{
    switch (type) {
    case BarcodeType::Ean13:
        return 13;
    case BarcodeType::Ean8:
        return 8;
    case BarcodeType::UpcA:
        return 12;
    case BarcodeType::Itf14:
        return 14;
    default:
        return 0;
    }
}

int symbologyOf(BarcodeType type)
{
    switch (type) {
    case BarcodeType::Code128:
        return BARCODE_CODE128;
    case BarcodeType::Ean13:
    case BarcodeType::Ean8:
        return BARCODE_EANX; // told apart by the number of digits
    case BarcodeType::UpcA:
        return BARCODE_UPCA;
    case BarcodeType::Itf14:
        return BARCODE_ITF14;
    case BarcodeType::Code39:
        return BARCODE_CODE39;
    case BarcodeType::Gs1_128:
        return BARCODE_GS1_128;
    case BarcodeType::DataMatrix:
        return BARCODE_DATAMATRIX;
    case BarcodeType::Pdf417:
        return BARCODE_PDF417;
    }
    return BARCODE_CODE128;
}

QString notOfType(BarcodeType type, const QString &why)
{
    return QStringLiteral("不是 %1：%2").arg(barcodeTypeName(type), why);
}

// Code 128 is "the barcode" in messages, as it was before there were other types.
QString cannotMake(BarcodeType type, const QString &why)
{
    const QString what = type == BarcodeType::Code128 ? QStringLiteral("条形码")
                                                      : QLatin1Char(' ') + barcodeTypeName(type);
    return why.isEmpty() ? QStringLiteral("不能生成%1").arg(what)
                         : QStringLiteral("不能生成%1：%2").arg(what, why);
}

// zint's report on GS1 data names the application identifier at fault, and for a check digit the
// one expected.
QString gs1Refusal(const QString &zintMessage)
{
    static const QRegularExpression ai(QStringLiteral("AI \\((\\d+)\\)"));
    static const QRegularExpression expected(QStringLiteral("expected '(\\d)'"));
    const QRegularExpressionMatch aiMatch = ai.match(zintMessage);
    if (!aiMatch.hasMatch())
        return QStringLiteral("应写成 (01)09501101530003(10)ABC 这样的应用标识符加数据");
    const QRegularExpressionMatch digit = expected.match(zintMessage);
    if (digit.hasMatch())
        return QStringLiteral("应用标识符 (%1) 的校验位应为 %2")
            .arg(aiMatch.captured(1), digit.captured(1));
    return QStringLiteral("应用标识符 (%1) 后的数据不合规定").arg(aiMatch.captured(1));
}

} // namespace

BarcodeInput::BarcodeInput(BarcodeType type, QByteArray bytes, int inputMode, int eci)
    : type_(type)
    , bytes_(std::move(bytes))
    , inputMode_(inputMode)
    , eci_(eci)
{
}

std::optional<BarcodeInput> BarcodeInput::of(
    BarcodeType type, const QString &text, QString *refusal)
{
    const auto refuse = [refusal](const QString &why) {
        if (refusal) *refusal = why;
        return std::nullopt;
    };
    if (const int length = gtinLength(type)) {
        if (!allDigits(text) || (text.size() != length && text.size() != length - 1))
            return refuse(notOfType(
                type, QStringLiteral("应为%1位数字，或连校验位%2位").arg(length - 1).arg(length)));
        // zint is always given the number without its check digit and adds it itself; given
        // eight digits, it would take them for an EAN-13 short of five.
        const QStringView number = QStringView(text).first(length - 1);
        if (text.size() == length && text.back() != checkDigit(number))
            return refuse(notOfType(type, QStringLiteral("校验位应为 %1").arg(checkDigit(number))));
        return BarcodeInput(type, number.toLatin1(), DATA_MODE);
    }

    switch (type) {
    case BarcodeType::Code128:
        // zint would take the UTF-8 bytes of other characters as Latin-1 and encode garbage.
        if (!std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() <= 0xFF; }))
            return refuse(cannotMake(type, QStringLiteral("条形码只能包含西文字符")));
        return BarcodeInput(type, text.toLatin1(), DATA_MODE);
    case BarcodeType::Code39: {
        // zint would turn small letters into capitals, and the code would read otherwise.
        static const QRegularExpression code39(QStringLiteral("^[0-9A-Z \\-.$/+%]*$"));
        if (!code39.match(text).hasMatch())
            return refuse(
                notOfType(type, QStringLiteral("只能包含数字、大写字母、空格和 - . $ / + %")));
        return BarcodeInput(type, text.toLatin1(), DATA_MODE);
    }
    case BarcodeType::Gs1_128: {
        // Application identifiers in brackets as zint takes them, or in parentheses as printed.
        const bool parentheses = text.startsWith(QLatin1Char('('));
        if (!allAscii(text) || !(parentheses || text.startsWith(QLatin1Char('['))))
            return refuse(notOfType(type, gs1Refusal(QString())));
        return BarcodeInput(type, text.toLatin1(), GS1_MODE | (parentheses ? GS1PARENS_MODE : 0));
    }
    case BarcodeType::DataMatrix:
    case BarcodeType::Pdf417:
        // Text beyond ASCII as UTF-8, announced by its ECI so that readers need not guess.
        if (allAscii(text)) return BarcodeInput(type, text.toLatin1(), DATA_MODE);
        return BarcodeInput(type, text.toUtf8(), UNICODE_MODE, utf8Eci);
    default:
        break;
    }
    return refuse(cannotMake(type, QString()));
}

ZintSymbol BarcodeInput::symbol() const
{
    ZintSymbol symbol(symbologyOf(type_));
    symbol->input_mode = inputMode_;
    symbol->eci = eci_;
    // A GS1 check digit or date zint finds wrong is only a warning to it; here it refuses the row.
    symbol->warn_level = WARN_FAIL_ALL;
    return symbol;
}

QString BarcodeInput::refusal(const ZintSymbol &failed) const
{
    if (type_ == BarcodeType::Gs1_128 && failed.status() != ZINT_ERROR_TOO_LONG)
        return notOfType(type_, gs1Refusal(failed.message()));
    if (failed.status() != ZINT_ERROR_TOO_LONG) return cannotMake(type_, QString());
    return cannotMake(type_,
        type_ == BarcodeType::Code128 ? QStringLiteral("条形码内容太长")
                                      : QStringLiteral("内容太长"));
}

} // namespace tagloom
