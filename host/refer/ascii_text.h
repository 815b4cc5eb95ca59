#pragma once

#include <string>
#include <string_view>

namespace zel {

// Codes and names compare without regard to the case of ASCII letters; the bytes of other
// characters are left as they are, so a UTF-8 text stays valid and a search in it stays exact.
std::string AsciiLower(std::string_view text);
bool AsciiEqualIgnoringCase(std::string_view a, std::string_view b);
// Empty or only spaces, tabs and line breaks.
bool IsBlank(std::string_view text);

}  // namespace zel
