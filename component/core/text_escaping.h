#pragma once

#include <string>
#include <string_view>

namespace korvel {

// The inside of a single-quoted SQL literal: every apostrophe doubled.
std::string SqlEscaped(std::string_view value);
// A complete single-quoted SQL literal.
std::string SqlQuoted(std::string_view value);
// Text safe inside an XML element or a quoted attribute (single or double quotes).
std::string XmlEscaped(std::string_view value);

}  // namespace korvel
