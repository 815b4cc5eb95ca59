#pragma once

#include <string>

namespace zel {

// A line of a configuration or registration file without its surrounding blanks and line end.
inline std::string TrimmedLine(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

}  // namespace zel
