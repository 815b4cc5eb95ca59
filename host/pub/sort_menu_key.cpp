#include "host/pub/sort_menu_key.h"

#include <charconv>

namespace zel {
namespace {

constexpr std::string_view kPrefix = "Sort.";
constexpr std::string_view kAscending = ".Asc";
constexpr std::string_view kDescending = ".Desc";

}  // namespace

std::string SortMenuKey::Text() const {
    return std::string(kPrefix) + std::to_string(col) +
           std::string(order == Qt::AscendingOrder ? kAscending : kDescending);
}

std::optional<SortMenuKey> SortMenuKey::Parse(std::string_view text) {
    if (!text.starts_with(kPrefix)) {
        return std::nullopt;
    }
    text.remove_prefix(kPrefix.size());
    SortMenuKey key;
    if (text.ends_with(kAscending)) {
        text.remove_suffix(kAscending.size());
    } else if (text.ends_with(kDescending)) {
        text.remove_suffix(kDescending.size());
        key.order = Qt::DescendingOrder;
    } else {
        return std::nullopt;
    }
    const char* last = text.data() + text.size();
    const auto [end, error] = std::from_chars(text.data(), last, key.col);
    if (text.empty() || error != std::errc() || end != last || key.col < 0) {
        return std::nullopt;
    }
    return key;
}

}  // namespace zel
