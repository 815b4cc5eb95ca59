#pragma once

#include <string>
#include <string_view>

namespace zel {

// A value as an SQL text literal: between apostrophes, its own apostrophes doubled.
std::string SqlQuoted(std::string_view value);

}  // namespace zel
