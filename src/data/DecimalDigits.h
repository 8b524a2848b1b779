// A number as the decimal digits a spreadsheet works with: 15 significant digits, rounded half away
// from zero where a format cuts them (2.675 shown with two decimals is 2.68).
#pragma once

#include <string>
#include <utility>

namespace tagloom {

class DecimalDigits
{
public:
    // magnitude: finite and not negative.
    explicit DecimalDigits(double magnitude);

    bool isZero() const { return digits_.empty(); }
    // The power of ten of the leading digit: 1 for 12.5, -2 for 0.05, 0 for zero.
    int leadingPower() const { return isZero() ? 0 : pointAt_ - 1; }
    // This number times 10^power, exactly.
    DecimalDigits shifted(int power) const;
    // Rounded to `decimals` places: the digits before the point without leading zeros (none below
    // 1) and exactly `decimals` digits after it.
    std::pair<std::string, std::string> fixed(int decimals) const;

private:
    DecimalDigits() = default;

    std::string digits_; // without leading or trailing zeros; empty for zero
    int pointAt_ = 0; // the number is 0.digits_ times 10^pointAt_
};

} // namespace tagloom
