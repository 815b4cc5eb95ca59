#pragma once

#include <string>
#include <string_view>

namespace korvel {

// The code of the class a class code hangs under by the inventory class coding rule: one digit
// per level, each the number of characters that level adds (rule "223": AA, AABB, AABBCCC).
// "" for a first-level code and for a code the rule does not reach past its first level.
std::string ParentClassCode(std::string_view code, std::string_view codingRule);

}  // namespace korvel
