#pragma once

#include <string>
#include <vector>

namespace zel {

// The parent of each inventory class: the class with the longest code that is a proper prefix of
// its code ("0101" sits under "01"), -1 for a top class. Built from the codes alone, so that it
// holds whatever the account's coding rule and whatever order the classes come in.
std::vector<int> ClassParents(const std::vector<std::string>& codes);

}  // namespace zel
