#pragma once

#include <string>
#include <string_view>

namespace zel::test {

// A parameterised case's name in the test's name, from a label of the case: its ASCII letters and
// digits, every run of other characters one underscore ("2026/3/5" gives "2026_3_5"). A label
// with neither gives "Case" and the case's index, since GoogleTest takes no empty name.
inline std::string CaseName(std::string_view label, std::size_t index) {
    std::string name;
    for (const char c : label) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
            (byte >= 'a' && byte <= 'z')) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name.empty() ? "Case" + std::to_string(index) : name;
}

}  // namespace zel::test
