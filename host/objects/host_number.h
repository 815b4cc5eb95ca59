#pragma once

#include <optional>
#include <string_view>

#include "interfaces/variant.h"

namespace zel {

// A number as users and the component write it: an optional sign, digits, an optional '.' and
// digits; blanks around it are ignored. No thousands separators, no decimal comma, no exponent,
// whatever the locale: "1,5" is not a number.
class HostNumber {
public:
    static std::optional<HostNumber> Parse(std::string_view text);

    // Significant digits before and after the point ("007.50" has 1 and 1).
    int IntegerDigits() const { return integerDigits_; }
    int FractionDigits() const { return fractionDigits_; }
    bool IsWhole() const { return fractionDigits_ == 0; }
    bool FitsDecimal(int precision, int scale) const {
        return integerDigits_ <= precision - scale && fractionDigits_ <= scale;
    }
    // An integer when the number is whole and fits, else a real.
    Variant Value() const;

private:
    double value_ = 0;
    int integerDigits_ = 0;
    int fractionDigits_ = 0;
};

}  // namespace zel
