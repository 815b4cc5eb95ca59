#pragma once

#include <span>
#include <string_view>

namespace zel {

// Where the user's guide describes a window: the anchor of its section, by the form key the
// window's help is bound under. The one table of them; the guide holds an element of that id
// for each.
struct HelpAnchor {
    std::string_view formKey;
    std::string_view anchor;
};

std::span<const HelpAnchor> HelpAnchors();

// The anchor of the form's section; the guide's contents for a form it has no section for.
std::string_view HelpAnchorOf(std::string_view formKey);

// The guide as the program holds it in its resources.
inline constexpr const char* kGuideUrl = "qrc:/guide/whinv-guide.html";
inline constexpr const char* kGuideContentsAnchor = "contents";

}  // namespace zel
