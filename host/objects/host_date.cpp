#include "host/objects/host_date.h"

#include "host/objects/host_text.h"

namespace zel {
namespace {

using namespace std::chrono;

// yyyy-m-d, the shortest form.
constexpr std::size_t kShortestDate = 8;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsSeparator(char c) {
    return c == '-' || c == '/';
}

// Up to `most` digits from text[at] on; at moves past them. nullopt when there is none.
std::optional<int> Number(std::string_view text, std::size_t& at, std::size_t most) {
    const std::size_t start = at;
    int value = 0;
    while (at < text.size() && at - start < most && IsDigit(text[at])) {
        value = value * 10 + (text[at++] - '0');
    }
    return at > start ? std::optional(value) : std::nullopt;
}

struct LeadingDate {
    year_month_day date;
    std::size_t end = 0;  // where the text after the date starts
};

// The date the text starts with; a sort or an export reads every cell of a column, so this reads
// in place without allocating.
std::optional<LeadingDate> DateAtStart(std::string_view text) {
    if (text.size() < kShortestDate || !IsSeparator(text[4])) {
        return std::nullopt;
    }
    std::size_t at = 0;
    const auto y = Number(text, at, 4);
    if (!y || at != 4) {
        return std::nullopt;
    }
    const char separator = text[at++];
    const auto m = Number(text, at, 2);
    if (!m || at == text.size() || text[at++] != separator) {
        return std::nullopt;
    }
    const auto d = Number(text, at, 2);
    if (!d || *y < HostDate::kFirstYear || *y > HostDate::kLastYear) {
        return std::nullopt;
    }
    const year_month_day date{year(*y), month(static_cast<unsigned>(*m)),
                              day(static_cast<unsigned>(*d))};
    return date.ok() ? std::optional(LeadingDate{date, at}) : std::nullopt;
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
    return HostDate(date->date);
}

std::optional<HostDate> HostDate::ParseDayOf(std::string_view text) {
    text = WithoutSurroundingBlanks(text);
    const auto date = DateAtStart(text);
    if (!date || (date->end != text.size() && text[date->end] != ' ' && text[date->end] != 'T')) {
        return std::nullopt;
    }
    return HostDate(date->date);
}

std::string HostDate::ToIso() const {
    const int y = static_cast<int>(day_.year());
    std::string text;
    text.reserve(10);
    AppendTwoDigits(text, static_cast<unsigned>(y / 100));
    AppendTwoDigits(text, static_cast<unsigned>(y % 100));
    text += '-';
    AppendTwoDigits(text, static_cast<unsigned>(day_.month()));
    text += '-';
    AppendTwoDigits(text, static_cast<unsigned>(day_.day()));
    return text;
}

}  // namespace zel
