#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zel::demo {

// An inventory class coding rule such as "223": digit k is the number of characters that level
// k adds to a class code, so the rule "223" gives codes of 2, 4 and 7 characters.
class ClassCodingRule {
public:
    // nullopt for an empty rule or one with a character that is not a digit from 1 to 9.
    static std::optional<ClassCodingRule> Parse(const std::string& rule);

    int Levels() const { return static_cast<int>(widths_.size()); }
    // Code of the serial-th child (from 1) of parent at level (from 1; parent is empty at level
    // 1); nullopt when the parent is not a code of the level above or the serial does not fit
    // into the level's characters.
    std::optional<std::string> ChildCode(const std::string& parent, int level, int serial) const;

private:
    explicit ClassCodingRule(std::vector<int> widths) : widths_(std::move(widths)) {}

    std::vector<int> widths_;
};

}  // namespace zel::demo
