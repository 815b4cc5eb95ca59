#pragma once

#include <string>
#include <string_view>

namespace zel {

// Codes, names and keywords compare as on the host's server: ASCII letters without regard to
// their case, every other byte as it is, so that a UTF-8 text stays exact.
inline char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string AsciiLower(std::string_view text);
bool AsciiEqualIgnoringCase(std::string_view a, std::string_view b);

// The text without the blanks (spaces) before and after it.
std::string_view WithoutSurroundingBlanks(std::string_view text);
std::string_view WithoutTrailingBlanks(std::string_view text);

// The host's order of codes: ASCII letter case and trailing blanks make no difference.
// Negative, 0 or positive.
int CompareHostText(std::string_view left, std::string_view right);

}  // namespace zel
