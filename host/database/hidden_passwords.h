#pragma once

#include <string>

namespace zel {

// The text with the value of every password= of a libpq connection text in it replaced, for a
// message that quotes an account's connection or the server's words about it.
std::string HiddenPasswords(const std::string& text);

}  // namespace zel
