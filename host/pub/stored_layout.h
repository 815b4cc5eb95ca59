#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zel {

// What is kept of a window between sessions, in twips, as the text of aa_formlayout.cLayout:
// "Width=15000;Height=9600;TreeWidth=3000". Entries that are missing, unknown or not a positive
// number are left out when read, so a damaged text restores what is still sound.
struct StoredLayout {
    std::optional<double> width;
    std::optional<double> height;
    std::optional<double> treeWidth;

    std::string ToText() const;
    static StoredLayout FromText(std::string_view text);

    bool operator==(const StoredLayout&) const = default;
};

}  // namespace zel
