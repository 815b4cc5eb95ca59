#include "import/exact_number.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>

#include "core/blank_trim.h"

namespace korvel {
namespace {

// More decimals than any numeric column holds, and few enough that "1e999999" stays small.
constexpr int kLargestExponent = 100;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view TakeDigits(std::string_view& text) {
    const auto end = std::find_if_not(text.begin(), text.end(), IsDigit);
    const std::string_view digits(text.begin(), end);
    text.remove_prefix(digits.size());
    return digits;
}

std::optional<int> TakeExponent(std::string_view& text) {
    if (text.empty()) {
        return 0;
    }
    if (text.front() != 'e' && text.front() != 'E') {
        return std::nullopt;
    }
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    int exponent = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), exponent);
    if (error != std::errc() || end != text.data() + text.size() ||
        std::abs(exponent) > kLargestExponent) {
        return std::nullopt;
    }
    text = {};
    return exponent;
}

// digits with the decimal point placed after `point` of them (which may lie outside digits).
std::string Placed(const std::string& digits, long point) {
    std::string whole;
    std::string fraction;
    if (point <= 0) {
        fraction = std::string(static_cast<std::size_t>(-point), '0') + digits;
    } else if (point >= static_cast<long>(digits.size())) {
        whole = digits + std::string(static_cast<std::size_t>(point) - digits.size(), '0');
    } else {
        whole = digits.substr(0, static_cast<std::size_t>(point));
        fraction = digits.substr(static_cast<std::size_t>(point));
    }
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    fraction.erase(std::min(fraction.find_last_not_of('0') + 1, fraction.size()));
    if (whole.empty()) {
        whole = "0";
    }
    return fraction.empty() ? whole : whole + "." + fraction;
}

// Already written as ExactNumber writes it, as most numbers a database hands back are: taken
// as it is, which spares a file of a million rows several strings per number.
bool IsExactForm(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    const std::string_view whole = TakeDigits(text);
    if (whole.empty() || (whole.size() > 1 && whole.front() == '0')) {
        return false;
    }
    if (text.empty()) {
        return !(negative && whole == "0");
    }
    if (text.front() != '.') {
        return false;
    }
    text.remove_prefix(1);
    const std::string_view fraction = TakeDigits(text);
    return text.empty() && !fraction.empty() && fraction.back() != '0';
}

}  // namespace

std::optional<std::string> ExactNumber(std::string_view text) {
    text = TrimmedBlanks(text);
    if (IsExactForm(text)) {
        return std::string(text);
    }
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::string_view whole = TakeDigits(text);
    std::string_view fraction;
    if (!text.empty() && text.front() == '.') {
        text.remove_prefix(1);
        fraction = TakeDigits(text);
    }
    if (whole.empty() && fraction.empty()) {
        return std::nullopt;
    }
    const auto exponent = TakeExponent(text);
    if (!exponent) {
        return std::nullopt;
    }
    std::string digits(whole);
    digits += fraction;
    std::string number = Placed(digits, static_cast<long>(whole.size()) + *exponent);
    return negative && number != "0" ? "-" + number : number;
}

}  // namespace korvel
