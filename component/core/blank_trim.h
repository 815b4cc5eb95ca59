#pragma once

#include <string_view>

namespace korvel {

// Codes and names are compared and keyed without their surrounding blanks (spaces only, as the
// host's own trimming does).
std::string_view TrimmedBlanks(std::string_view text);
std::string_view WithoutTrailingBlanks(std::string_view text);

}  // namespace korvel
