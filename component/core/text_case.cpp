#include "core/text_case.h"

#include <algorithm>

namespace korvel {
namespace {

char LowerByte(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerByte);
    return lower;
}

bool EqualsNoCase(std::string_view left, std::string_view right) {
    return std::equal(left.begin(), left.end(), right.begin(), right.end(),
                      [](char a, char b) { return LowerByte(a) == LowerByte(b); });
}

}  // namespace korvel
