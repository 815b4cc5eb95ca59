#pragma once

#include <cstddef>
#include <string>

namespace zel::test {

// depth elements each inside the one before, the innermost holding text: input whose nesting a
// parser must bound.
inline std::string NestedElements(int depth, const std::string& text = "") {
    std::string xml;
    xml.reserve(static_cast<std::size_t>(depth) * 7 + text.size());
    for (int i = 0; i < depth; ++i) {
        xml += "<a>";
    }
    xml += text;
    for (int i = 0; i < depth; ++i) {
        xml += "</a>";
    }
    return xml;
}

}  // namespace zel::test
