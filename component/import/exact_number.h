#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// A number as the database holds it, written out in plain decimals without losing a digit and
// without going through a binary fraction: "+012.50" gives "12.5", "1.5E-3" gives "0.0015",
// "-0.00" gives "0". Blanks around the number are ignored. nullopt for a text that is no number,
// and for an exponent beyond what any stored number needs.
std::optional<std::string> ExactNumber(std::string_view text);

}  // namespace korvel
