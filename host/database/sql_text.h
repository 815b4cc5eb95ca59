#pragma once

#include <string>
#include <string_view>

namespace zel {

// A value as an SQL text literal: between apostrophes, its own apostrophes doubled.
std::string SqlQuoted(std::string_view value);

// Text matched literally inside a LIKE pattern: the wildcards, the escape character itself and
// "[" (which opens a set of characters on the host's server) are preceded by the escape.
std::string LikeLiteral(std::string_view text, char escape);

// " like 'pattern' escape 'e'": the test to write after the column it applies to.
std::string LikeTest(std::string_view pattern, char escape);

}  // namespace zel
