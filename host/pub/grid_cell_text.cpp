#include "host/pub/grid_cell_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <pugixml.hpp>

#include "host/controls/field_kind.h"
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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one or two digits at text[at]; advances at.
std::optional<int> SmallNumber(std::string_view text, std::size_t& at) {
    int value = 0;
    const std::size_t start = at;
    while (at < text.size() && at - start < 2 && IsDigit(text[at])) {
        value = value * 10 + (text[at++] - '0');
    }
    return at > start ? std::optional<int>(value) : std::nullopt;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// yyyy-m-d, yyyy/m/d or yyyy.m.d, optionally followed by a time, as yyyy-mm-dd.
std::optional<std::string> IsoDate(std::string_view text) {
    if (text.size() < 8 || !IsDigit(text[0]) || !IsDigit(text[1]) || !IsDigit(text[2]) ||
        !IsDigit(text[3])) {
        return std::nullopt;
    }
    const char separator = text[4];
    if (separator != '-' && separator != '/' && separator != '.') {
        return std::nullopt;
    }
    std::size_t at = 5;
    const auto month = SmallNumber(text, at);
    if (!month || at >= text.size() || text[at++] != separator) {
        return std::nullopt;
    }
    const auto day = SmallNumber(text, at);
    if (!day || (at < text.size() && text[at] != ' ' && text[at] != 'T')) {
        return std::nullopt;
    }
    const int year =
        (text[0] - '0') * 1000 + (text[1] - '0') * 100 + (text[2] - '0') * 10 + (text[3] - '0');
    if (*month < 1 || *month > 12 || *day < 1 || *day > DaysInMonth(year, *month)) {
        return std::nullopt;
    }
    std::string iso(text.substr(0, 4));
    iso += '-';
    iso += static_cast<char>('0' + *month / 10);
    iso += static_cast<char>('0' + *month % 10);
    iso += '-';
    iso += static_cast<char>('0' + *day / 10);
    iso += static_cast<char>('0' + *day % 10);
    return iso;
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
        if (auto date = IsoDate(text)) {
            return std::move(*date);
        }
        return text;
    }
    return value.ToString();
}

}  // namespace zel
