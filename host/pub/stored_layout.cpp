#include "host/pub/stored_layout.h"

#include <charconv>
#include <cmath>

namespace zel {
namespace {

constexpr std::string_view kWidth = "Width";
constexpr std::string_view kHeight = "Height";
constexpr std::string_view kTreeWidth = "TreeWidth";

std::optional<double> PositiveNumber(std::string_view text) {
    double number = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, number);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(number) || number <= 0) {
        return std::nullopt;
    }
    return number;
}

void AppendEntry(std::string& text, std::string_view name, const std::optional<double>& value) {
    if (!value) {
        return;
    }
    if (!text.empty()) {
        text += ';';
    }
    text += name;
    text += '=';
    text += std::to_string(std::lround(*value));
}

void ReadEntry(StoredLayout& layout, std::string_view entry) {
    const auto equals = entry.find('=');
    if (equals == std::string_view::npos) {
        return;
    }
    const std::string_view name = entry.substr(0, equals);
    const auto value = PositiveNumber(entry.substr(equals + 1));
    if (name == kWidth) {
        layout.width = value;
    } else if (name == kHeight) {
        layout.height = value;
    } else if (name == kTreeWidth) {
        layout.treeWidth = value;
    }
}

}  // namespace

std::string StoredLayout::ToText() const {
    std::string text;
    AppendEntry(text, kWidth, width);
    AppendEntry(text, kHeight, height);
    AppendEntry(text, kTreeWidth, treeWidth);
    return text;
}

StoredLayout StoredLayout::FromText(std::string_view text) {
    StoredLayout layout;
    while (!text.empty()) {
        const auto end = text.find(';');
        ReadEntry(layout, text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return layout;
}

}  // namespace zel
