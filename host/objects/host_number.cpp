#include "host/objects/host_number.h"

#include <charconv>
#include <cmath>
#include <string>

#include "host/objects/host_text.h"

namespace zel {
namespace {

bool AllDigits(std::string_view text) {
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<HostNumber> HostNumber::Parse(std::string_view text) {
    const std::string_view number = WithoutSurroundingBlanks(text);
    std::string_view body = number;
    if (!body.empty() && (body.front() == '-' || body.front() == '+')) {
        body.remove_prefix(1);
    }
    const auto point = body.find('.');
    std::string_view whole = body.substr(0, point);
    std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : body.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || !AllDigits(whole) || !AllDigits(fraction)) {
        return std::nullopt;
    }
    HostNumber parsed;
    // from_chars reads '.' whatever the locale; it does not take a leading '+'.
    std::string plain;
    plain.reserve(body.size() + 1);
    if (number.front() == '-') {
        plain += '-';
    }
    plain += body;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), parsed.value_,
                                        std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    while (!whole.empty() && whole.front() == '0') {
        whole.remove_prefix(1);
    }
    while (!fraction.empty() && fraction.back() == '0') {
        fraction.remove_suffix(1);
    }
    parsed.integerDigits_ = static_cast<int>(whole.size());
    parsed.fractionDigits_ = static_cast<int>(fraction.size());
    return parsed;
}

Variant HostNumber::Value() const {
    if (IsWhole() && integerDigits_ <= 18) {
        return Variant(static_cast<std::int64_t>(std::llround(value_)));
    }
    return Variant(value_);
}

}  // namespace zel
