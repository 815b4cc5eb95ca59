#pragma once

#include <string>
#include <string_view>

namespace korvel {

// Keys, field names and SQL words of this system are ASCII; other bytes are left as they are.
std::string AsciiLower(std::string_view text);
bool EqualsNoCase(std::string_view left, std::string_view right);

}  // namespace korvel
