// A number as the decimal digits a spreadsheet works with.
#include "DecimalDigits.h"

#include <charconv>

namespace tagloom {

DecimalDigits::DecimalDigits(double magnitude)
{
    // d.dddddddddddddde±x: as many digits as a spreadsheet keeps of a number.
    char text[32];
    const auto end
        = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 14).ptr;
    const char *e = text;
    while (e != end && *e != 'e')
        ++e;
    for (const char *c = text; c != e; ++c) {
        if (*c != '.') digits_ += *c;
    }
    const std::size_t last = digits_.find_last_not_of('0');
    digits_.erase(last == std::string::npos ? 0 : last + 1);
    // to_chars writes no terminating NUL: the exponent is read up to the end it gives.
    const char *exponent = e + 1;
    if (exponent != end && *exponent == '+') ++exponent;
    int power = 0;
    std::from_chars(exponent, end, power);
    pointAt_ = power + 1;
}

DecimalDigits DecimalDigits::shifted(int power) const
{
    DecimalDigits result;
    result.digits_ = digits_;
    result.pointAt_ = isZero() ? 0 : pointAt_ + power;
    return result;
}

std::pair<std::string, std::string> DecimalDigits::fixed(int decimals) const
{
    std::string kept;
    int pointAt = pointAt_;
    const int keep = pointAt_ + decimals; // significant digits that stay
    if (keep >= int(digits_.size())) {
        kept = digits_;
    } else if (keep >= 0) {
        kept = digits_.substr(0, std::size_t(keep));
        if (digits_[std::size_t(keep)] >= '5') {
            // Carry: 0.999 to two places is 1.00.
            int i = keep - 1;
            for (; i >= 0 && kept[std::size_t(i)] == '9'; --i)
                kept[std::size_t(i)] = '0';
            if (i >= 0) {
                ++kept[std::size_t(i)];
            } else {
                kept.insert(kept.begin(), '1');
                ++pointAt;
            }
        }
    }
    const auto digitAt
        = [&](int i) { return i >= 0 && i < int(kept.size()) ? kept[std::size_t(i)] : '0'; };
    std::string whole;
    for (int i = 0; i < pointAt; ++i)
        whole += digitAt(i);
    const std::size_t first = whole.find_first_not_of('0');
    whole.erase(0, first == std::string::npos ? whole.size() : first);
    std::string fraction;
    for (int i = pointAt; i < pointAt + decimals; ++i)
        fraction += digitAt(i);
    return {whole, fraction};
}

} // namespace tagloom
