#include "host/pub/decimal_text.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace zel {
namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> NumberOf(const Variant& value) {
    if (value.IsText()) {
        return Variant(Trimmed(value.ToString())).ToDouble();
    }
    return value.ToDouble();
}

// Shortest fixed-notation text that reads back as the same double, without a sign.
std::string ShortestFixed(double magnitude) {
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

// Adds one unit in the last place of a text of digits (the dot is skipped).
void CarryInto(std::string& digits) {
    for (auto i = digits.size(); i-- > 0;) {
        if (digits[i] == '.') {
            continue;
        }
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

std::string Rounded(const std::string& fixed, std::size_t digits) {
    const auto dot = fixed.find('.');
    std::string whole = dot == std::string::npos ? fixed : fixed.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string() : fixed.substr(dot + 1);
    const bool roundUp = fraction.size() > digits && fraction[digits] >= '5';
    fraction.resize(digits, '0');
    std::string text = digits == 0 ? whole : whole + "." + fraction;
    if (roundUp) {
        CarryInto(text);
    }
    return text;
}

bool AllZero(const std::string& text) {
    return text.find_first_not_of("0.") == std::string::npos;
}

}  // namespace

std::string DecimalText(const Variant& value, short digits) {
    if (digits < 0) {
        return value.ToString();
    }
    const auto number = NumberOf(value);
    if (!number || !std::isfinite(*number)) {
        return {};
    }
    const std::string text = Rounded(ShortestFixed(std::fabs(*number)), digits);
    return *number < 0 && !AllZero(text) ? "-" + text : text;
}

}  // namespace zel
