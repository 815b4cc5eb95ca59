#include "host/controls/import/xlsx_cell_text.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace zel {
namespace {

constexpr std::chrono::sys_days kDayZero1900{std::chrono::year(1899) / 12 / 31};
constexpr std::chrono::sys_days kDayZero1904{std::chrono::year(1904) / 1 / 1};
constexpr double kFictitiousLeapDay = 60;
constexpr double kLastDay1900 = 2'958'465;  // 9999-12-31
constexpr std::size_t kEscapeLength = 7;    // _xHHHH_
// Day numbers of the two systems that name the same day.
constexpr double kDays1900To1904 = 1462;

void AppendRuns(std::string& text, const pugi::xml_node& node) {
    for (const pugi::xml_node child : node.children()) {
        const std::string_view name = LocalName(child);
        if (name == "t") {
            text += child.text().get();
        } else if (name == "r") {
            AppendRuns(text, child);
        }
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// The code point of _xHHHH_ at the start of text, or -1.
int EscapedCodePoint(std::string_view text) {
    if (text.size() < kEscapeLength || text.substr(0, 2) != "_x" || text[6] != '_') {
        return -1;
    }
    int value = 0;
    for (std::size_t i = 2; i < 6; ++i) {
        const int digit = HexValue(text[i]);
        if (digit < 0) {
            return -1;
        }
        value = value * 16 + digit;
    }
    return value;
}

void AppendUtf8(std::string& out, int codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string DayText(std::chrono::sys_days day) {
    const std::chrono::year_month_day date(day);
    std::array<char, 16> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text.data();
}

}  // namespace

std::string_view LocalName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    const std::size_t colon = name.rfind(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node FirstChild(const pugi::xml_node& node, std::string_view localName) {
    for (const pugi::xml_node child : node.children()) {
        if (LocalName(child) == localName) {
            return child;
        }
    }
    return {};
}

std::string StringItemText(const pugi::xml_node& item) {
    std::string text;
    AppendRuns(text, item);
    return UnescapedText(text);
}

std::string UnescapedText(std::string_view text) {
    if (text.find("_x") == std::string_view::npos) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const int codePoint = EscapedCodePoint(text.substr(i));
        if (codePoint < 0) {
            out += text[i++];
        } else {
            AppendUtf8(out, codePoint);
            i += kEscapeLength;
        }
    }
    return out;
}

std::optional<std::string> SerialDate(std::string_view number, bool date1904) {
    double serial = 0;
    const char* end = number.data() + number.size();
    const auto read = std::from_chars(number.data(), end, serial);
    if (read.ec != std::errc() || read.ptr != end || !std::isfinite(serial)) {
        return std::nullopt;
    }
    serial = std::floor(serial);
    const double first = date1904 ? 0 : 1;
    const double last = date1904 ? kLastDay1900 - kDays1900To1904 : kLastDay1900;
    if (serial < first || serial > last) {
        return std::nullopt;
    }
    if (date1904) {
        return DayText(kDayZero1904 + std::chrono::days(static_cast<int>(serial)));
    }
    if (serial == kFictitiousLeapDay) {
        return "1900-02-29";
    }
    const int days = static_cast<int>(serial) - (serial > kFictitiousLeapDay ? 1 : 0);
    return DayText(kDayZero1900 + std::chrono::days(days));
}

}  // namespace zel
