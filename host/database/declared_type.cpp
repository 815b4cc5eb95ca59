#include "host/database/declared_type.h"

#include <charconv>

#include "host/objects/host_text.h"

namespace zel {
namespace {

int NumberIn(std::string_view text) {
    text = WithoutSurroundingBlanks(text);
    int number = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    const bool whole = result.ec == std::errc() && result.ptr == text.data() + text.size();
    return whole && number > 0 ? number : 0;
}

}  // namespace

DeclaredType DeclaredType::Parse(std::string_view declaration) {
    DeclaredType type;
    const auto open = declaration.find('(');
    for (const char c : WithoutSurroundingBlanks(declaration.substr(0, open))) {
        type.name += AsciiLower(c);
    }
    const auto close = declaration.find(')', open);
    if (open == std::string_view::npos || close == std::string_view::npos) {
        return type;
    }
    const std::string_view sizes = declaration.substr(open + 1, close - open - 1);
    const auto comma = sizes.find(',');
    type.size = NumberIn(sizes.substr(0, comma));
    if (comma != std::string_view::npos) {
        type.scale = NumberIn(sizes.substr(comma + 1));
    }
    return type;
}

bool DeclaredType::IsText() const {
    return name.find("char") != std::string::npos || name.find("text") != std::string::npos ||
           name.find("clob") != std::string::npos;
}

}  // namespace zel
