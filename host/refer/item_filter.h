#pragma once

#include <string>
#include <string_view>

namespace zel {

// Which items a picker lists: those whose code or name contains the typed text (ASCII letters in
// any case) and, once a class is chosen, whose class code starts with that class's code.
class ItemFilter {
public:
    ItemFilter() = default;
    ItemFilter(std::string_view text, std::string_view classCode);

    bool PassesAll() const { return text_.empty() && classCode_.empty(); }
    bool Matches(std::string_view code, std::string_view name, std::string_view classCode) const;
    // True when every item this filter passes also passes `wider`, so that typing one more
    // letter only has to look at the items listed already.
    bool Narrows(const ItemFilter& wider) const;

private:
    std::string text_;       // lower-cased
    std::string classCode_;  // lower-cased, trailing blanks removed
};

}  // namespace zel
