#include "host/pub/grid_cell_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <pugixml.hpp>

#include "host/controls/field_kind.h"
#include "host/objects/host_date.h"
#include "host/objects/host_text.h"
#include "host/pub/decimal_text.h"

namespace zel {
namespace {

// Room for a field name and its terminating zero; longer names fall back to a string.
constexpr std::size_t kNameBuffer = 64;
// More decimals than a double holds would only show noise.
constexpr int kMaxDigits = 17;

pugi::xml_node StyleChild(const pugi::xml_node& style, std::string_view field) {
    if (!style || field.empty()) {
        return {};
    }
    if (field.size() < kNameBuffer) {
        std::array<char, kNameBuffer> name{};
        for (std::size_t i = 0; i < field.size(); ++i) {
            name[i] = AsciiLower(field[i]);
        }
        return style.child(name.data());
    }
    std::string name(field);
    for (char& c : name) {
        c = AsciiLower(c);
    }
    return style.child(name.c_str());
}

// The decimals the style gives the field; nullopt when it names none or not as digits.
std::optional<short> StyleDigits(const pugi::xml_node& style, std::string_view field) {
    const char* text = StyleChild(style, field).text().get();
    int digits = 0;
    const char* end = text + std::char_traits<char>::length(text);
    const auto result = std::from_chars(text, end, digits);
    if (result.ec != std::errc() || result.ptr == text || digits < 0) {
        return std::nullopt;
    }
    return static_cast<short>(std::min(digits, kMaxDigits));
}

std::string PlainReal(double number) {
    if (number == 0) {
        return "0";
    }
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}

bool IsDateField(std::string_view field) {
    return KindOfField(field) == FieldKind::kDate;
}

}  // namespace

std::string GridCellText(const Variant& value, std::string_view field,
                         const pugi::xml_node& style) {
    if (value.IsNull()) {
        return {};
    }
    if (const auto digits = StyleDigits(style, field)) {
        std::string text = DecimalText(value, *digits);
        if (!text.empty()) {
            return text;
        }
    }
    if (value.IsReal()) {
        return PlainReal(*value.ToDouble());
    }
    if (value.IsText() && IsDateField(field)) {
        std::string text = value.ToString();
        // A date column of dates and times shows the day.
        const auto date = HostDate::ParseDayOf(text);
        return date ? date->ToIso() : text;
    }
    return value.ToString();
}

}  // namespace zel
