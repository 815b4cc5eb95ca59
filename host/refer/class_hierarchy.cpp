#include "host/refer/class_hierarchy.h"

#include <unordered_map>

#include "host/refer/ascii_text.h"

namespace zel {

std::vector<int> ClassParents(const std::vector<std::string>& codes) {
    std::unordered_map<std::string, int> indexOf;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        indexOf.emplace(AsciiLower(codes[i]), static_cast<int>(i));
    }
    std::vector<int> parents(codes.size(), -1);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::string code = AsciiLower(codes[i]);
        for (std::size_t length = code.size(); length-- > 1;) {
            const auto found = indexOf.find(code.substr(0, length));
            if (found != indexOf.end()) {
                parents[i] = found->second;
                break;
            }
        }
    }
    return parents;
}

}  // namespace zel
