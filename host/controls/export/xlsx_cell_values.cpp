#include "host/controls/export/xlsx_cell_values.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>

#include "host/objects/host_date.h"

namespace zel {
namespace {

// Longer texts are no grid number; this bounds the copy without the grouping commas.
constexpr std::size_t kMostNumberChars = 64;
// Day numbers count from 1899-12-31 as day 0, and count 1900 as a leap year: from March 1900
// on they run one ahead of the calendar, so they are counted from 1899-12-30 instead.
constexpr std::chrono::sys_days kDayZero{std::chrono::year(1899) / 12 / 30};
constexpr int kFirstTrueDay = 61;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// -ddd or -ddd.ddd: a text a workbook reads as exactly the number that a double of it holds.
bool IsPlainDecimal(std::string_view text) {
    if (!text.empty() && text.front() == '-') {
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
    return !whole.empty() && std::all_of(whole.begin(), whole.end(), IsDigit) &&
           (point == std::string_view::npos ||
            (!fraction.empty() && std::all_of(fraction.begin(), fraction.end(), IsDigit)));
}

// Other forms the grid may show (1e5, .5) are read as a double and written back in the
// shortest form that reads as the same double.
bool AppendReadNumber(std::string& out, std::string_view text) {
    double number = 0;
    const char* end = text.data() + text.size();
    const auto read = std::from_chars(text.data(), end, number);
    if (read.ec != std::errc() || read.ptr != end || !std::isfinite(number)) {
        return false;
    }
    std::array<char, 32> written{};
    const auto result = std::to_chars(written.data(), written.data() + written.size(), number);
    out.append(written.data(), result.ptr);
    return true;
}

}  // namespace

bool AppendXlsxNumber(std::string& out, std::string_view text) {
    if (text.empty() || text.size() > kMostNumberChars) {
        return false;
    }
    std::array<char, kMostNumberChars> ungrouped{};
    const auto end =
        std::copy_if(text.begin(), text.end(), ungrouped.begin(), [](char c) { return c != ','; });
    const std::string_view number(ungrouped.data(),
                                  static_cast<std::size_t>(end - ungrouped.begin()));
    if (IsPlainDecimal(number)) {
        out += number;
        return true;
    }
    return !number.empty() && AppendReadNumber(out, number);
}

bool IsXlsxNumber(std::string_view text) {
    std::string number;
    return AppendXlsxNumber(number, text);
}

bool AppendXlsxDate(std::string& out, std::string_view text) {
    const auto date = HostDate::Parse(text);
    if (!date) {
        return false;
    }
    auto serial = (std::chrono::sys_days(date->Day()) - kDayZero).count();
    if (serial < kFirstTrueDay) {
        --serial;
    }
    std::array<char, 16> written{};
    const auto result = std::to_chars(written.data(), written.data() + written.size(), serial);
    out.append(written.data(), result.ptr);
    return true;
}

}  // namespace zel
