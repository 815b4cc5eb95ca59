#include "checkplan/next_check.h"

#include <charconv>
#include <cstdio>

namespace korvel {
namespace {

using namespace std::chrono;

constexpr int kFirstYear = 1900;
constexpr std::string_view kDayUnit = "天";
constexpr std::string_view kWeekUnit = "周";
constexpr std::string_view kMonthUnit = "月";

std::optional<int> NumberAt(std::string_view text, std::size_t from, std::size_t length) {
    int value = 0;
    const char* first = text.data() + from;
    const auto read = std::from_chars(first, first + length, value);
    return read.ec == std::errc() && read.ptr == first + length ? std::optional(value)
                                                                : std::nullopt;
}

NextCheck Planned(sys_days day) {
    return {NextCheck::State::kPlanned, year_month_day(day)};
}

NextCheck NextOfWeek(year_month_day last, int count, const std::optional<int>& day) {
    const sys_days lastDay(last);
    if (!day) {
        return Planned(lastDay + weeks(count));
    }
    if (*day < 1 || *day > 7) {
        return {};
    }
    const sys_days sunday = lastDay - days(weekday(lastDay).c_encoding());
    return Planned(sunday + weeks(count) + days(*day - 1));
}

NextCheck NextOfMonth(year_month_day last, int count, const std::optional<int>& day) {
    const int wanted = day.value_or(static_cast<int>(static_cast<unsigned>(last.day())));
    if (wanted < 1 || wanted > 31) {
        return {};
    }
    const year_month month = year_month(last.year(), last.month()) + months(count);
    const unsigned lastOfMonth = static_cast<unsigned>(
        year_month_day_last(month.year(), month_day_last(month.month())).day());
    const unsigned chosen = std::min(static_cast<unsigned>(wanted), lastOfMonth);
    return {NextCheck::State::kPlanned,
            year_month_day(month.year(), month.month(), std::chrono::day(chosen))};
}

}  // namespace

std::optional<year_month_day> ParseCheckDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const auto y = NumberAt(text, 0, 4);
    const auto m = NumberAt(text, 5, 2);
    const auto d = NumberAt(text, 8, 2);
    if (!y || !m || !d || *y < kFirstYear) {
        return std::nullopt;
    }
    const year_month_day date{year(*y), month(static_cast<unsigned>(*m)),
                              day(static_cast<unsigned>(*d))};
    return date.ok() ? std::optional(date) : std::nullopt;
}

std::string CheckDateText(year_month_day date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(date.year()),
                  static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
    return text;
}

long DaysOverdue(year_month_day next, year_month_day asOf) {
    return static_cast<long>((sys_days(asOf) - sys_days(next)).count());
}

NextCheck NextCheckOf(const CheckCycle& cycle, std::string_view lastCheck) {
    const bool known =
        cycle.unit == kDayUnit || cycle.unit == kWeekUnit || cycle.unit == kMonthUnit;
    if (!known || !cycle.count || *cycle.count < 1) {
        return {};
    }
    if (lastCheck.empty()) {
        return {NextCheck::State::kNeverCounted, {}};
    }
    const auto last = ParseCheckDate(lastCheck);
    if (!last) {
        return {NextCheck::State::kBadDate, {}};
    }
    if (cycle.unit == kDayUnit) {
        return Planned(sys_days(*last) + days(*cycle.count));
    }
    if (cycle.unit == kWeekUnit) {
        return NextOfWeek(*last, *cycle.count, cycle.day);
    }
    return NextOfMonth(*last, *cycle.count, cycle.day);
}

}  // namespace korvel
