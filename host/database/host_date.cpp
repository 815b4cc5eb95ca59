#include "host/database/host_date.h"

#include <charconv>
#include <cstdio>

namespace zel {
namespace {

std::optional<int> Part(std::string_view text, std::size_t minDigits, std::size_t maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : days[month - 1];
}

}  // namespace

std::optional<HostDate> HostDate::Parse(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    const auto first = text.find_first_of("-/");
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const char separator = text[first];
    const auto second = text.find(separator, first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    const auto year = Part(text.substr(0, first), 4, 4);
    const auto month = Part(text.substr(first + 1, second - first - 1), 1, 2);
    const auto day = Part(text.substr(second + 1), 1, 2);
    if (!year || !month || !day || *year < 1 || *month < 1 || *month > 12 || *day < 1 ||
        *day > DaysIn(*year, *month)) {
        return std::nullopt;
    }
    HostDate date;
    date.year_ = *year;
    date.month_ = *month;
    date.day_ = *day;
    return date;
}

std::string HostDate::ToIso() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year_, month_, day_);
    return text;
}

}  // namespace zel
