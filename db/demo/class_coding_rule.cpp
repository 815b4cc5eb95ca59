#include "db/demo/class_coding_rule.h"

#include <numeric>

namespace zel::demo {

std::optional<ClassCodingRule> ClassCodingRule::Parse(const std::string& rule) {
    std::vector<int> widths;
    for (const char digit : rule) {
        if (digit < '1' || digit > '9') {
            return std::nullopt;
        }
        widths.push_back(digit - '0');
    }
    if (widths.empty()) {
        return std::nullopt;
    }
    return ClassCodingRule(std::move(widths));
}

std::optional<std::string> ClassCodingRule::ChildCode(const std::string& parent, int level,
                                                      int serial) const {
    if (level < 1 || level > Levels() || serial < 1) {
        return std::nullopt;
    }
    const auto parentLength =
        static_cast<std::size_t>(std::accumulate(widths_.begin(), widths_.begin() + level - 1, 0));
    if (parent.size() != parentLength) {
        return std::nullopt;
    }
    const std::string digits = std::to_string(serial);
    const auto width = static_cast<std::size_t>(widths_[level - 1]);
    if (digits.size() > width) {
        return std::nullopt;
    }
    return parent + std::string(width - digits.size(), '0') + digits;
}

}  // namespace zel::demo
