#include "host/objects/host_date.h"

#include "host/objects/host_text.h"

namespace zel {
namespace {

// yyyy-m-d, the shortest form.
constexpr std::size_t kShortestDate = 8;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSeparator(char c) {
    return c == '-' || c == '/';
}

// Reads up to `most` digits from text[at] on into value; at moves past them. Answers how many it
// read.
std::size_t ReadDigits(std::string_view text, std::size_t& at, std::size_t most, int& value) {
    const std::size_t start = at;
    value = 0;
    while (at < text.size() && at - start < most && IsDigit(text[at])) {
        value = value * 10 + (text[at++] - '0');
    }
    return at - start;
}

int DaysIn(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m != 2) {
        return kDays[m - 1];
    }
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0 ? 29 : 28;
}

struct LeadingDate {
    int year = 0;
    int month = 0;
    int day = 0;
    std::size_t end = 0;  // where the text after the date starts
};

// The date the text starts with; a sort or an export reads every cell of a column, so this reads
// in place without allocating.
std::optional<LeadingDate> DateAtStart(std::string_view text) {
    if (text.size() < kShortestDate || !IsSeparator(text[4])) {
        return std::nullopt;
    }
    std::size_t at = 0;
    int y = 0;
    int m = 0;
    int d = 0;
    if (ReadDigits(text, at, 4, y) != 4) {
        return std::nullopt;
    }
    const char separator = text[at++];
    if (ReadDigits(text, at, 2, m) == 0 || at == text.size() || text[at++] != separator ||
        ReadDigits(text, at, 2, d) == 0 || y < HostDate::kFirstYear || y > HostDate::kLastYear ||
        m < 1 || m > 12 || d < 1 || d > DaysIn(y, m)) {
        return std::nullopt;
    }
    return LeadingDate{y, m, d, at};
}

void AppendTwoDigits(std::string& text, unsigned value) {
    text += static_cast<char>('0' + value / 10);
    text += static_cast<char>('0' + value % 10);
}

}  // namespace

std::optional<HostDate> HostDate::Parse(std::string_view text) {
    text = WithoutSurroundingBlanks(text);
    const auto date = DateAtStart(text);
    if (!date || date->end != text.size()) {
        return std::nullopt;
    }
    return HostDate(date->year, date->month, date->day);
}

std::optional<HostDate> HostDate::ParseDayOf(std::string_view text) {
    text = WithoutSurroundingBlanks(text);
    const auto date = DateAtStart(text);
    if (!date || (date->end != text.size() && text[date->end] != ' ' && text[date->end] != 'T')) {
        return std::nullopt;
    }
    return HostDate(date->year, date->month, date->day);
}

std::string HostDate::ToIso() const {
    std::string text;
    text.reserve(10);
    AppendTwoDigits(text, static_cast<unsigned>(year_ / 100));
    AppendTwoDigits(text, static_cast<unsigned>(year_ % 100));
    text += '-';
    AppendTwoDigits(text, static_cast<unsigned>(month_));
    text += '-';
    AppendTwoDigits(text, static_cast<unsigned>(day_));
    return text;
}

std::chrono::year_month_day HostDate::Day() const {
    using namespace std::chrono;
    return {year(year_), month(static_cast<unsigned>(month_)), day(static_cast<unsigned>(day_))};
}

}  // namespace zel
