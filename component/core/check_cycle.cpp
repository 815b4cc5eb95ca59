#include "core/check_cycle.h"

#include <algorithm>
#include <cstdio>

#include "host/objects/host_date.h"

namespace korvel {
namespace {

using namespace std::chrono;

struct UnitRule {
    std::string_view code;
    std::string_view textKey;
    std::optional<int> lastDay;
};

constexpr UnitRule kUnitRules[] = {
    {"天", "Zel.AA.ARCHIVE.COMMON.cdrequency_day", std::nullopt},
    {"周", "Zel.AA.ARCHIVE.COMMON.cdrequency_week", 7},
    {"月", "Zel.AA.ARCHIVE.COMMON.cdrequency_month", 31},
};

// A list position outside the lists is no unit.
const UnitRule* RuleOf(CycleUnit unit) {
    return unit >= kUnitDay && unit <= kUnitMonth ? &kUnitRules[unit] : nullptr;
}

bool FitsUnit(CycleUnit unit, int day) {
    const auto last = LastCycleDay(unit);
    return last && day >= 1 && day <= *last;
}

constexpr year_month kLastMonth = year(zel::HostDate::kLastYear) / December;
constexpr sys_days kLastDay{kLastMonth / 31};

// A day past the host's last year is no plan: nothing reads or writes such a day, and the
// calendar's year would wrap round to one long past, which would be due.
NextCheck Planned(sys_days day) {
    if (day > kLastDay) {
        return {};
    }
    return {NextCheck::State::kPlanned, year_month_day(day)};
}

NextCheck NextOfWeek(year_month_day last, int count, const std::optional<int>& day) {
    const sys_days lastDay(last);
    if (!day) {
        return Planned(lastDay + weeks(count));
    }
    if (!FitsUnit(kUnitWeek, *day)) {
        return {};
    }
    const sys_days sunday = lastDay - days(weekday(lastDay).c_encoding());
    return Planned(sunday + weeks(count) + days(*day - 1));
}

NextCheck NextOfMonth(year_month_day last, int count, const std::optional<int>& day) {
    const int wanted = day.value_or(static_cast<int>(static_cast<unsigned>(last.day())));
    if (!FitsUnit(kUnitMonth, wanted)) {
        return {};
    }
    const year_month lastMonth(last.year(), last.month());
    if (count > (kLastMonth - lastMonth).count()) {
        return {};
    }
    const year_month month = lastMonth + months(count);
    const unsigned lastOfMonth = static_cast<unsigned>(
        year_month_day_last(month.year(), month_day_last(month.month())).day());
    const unsigned chosen = std::min(static_cast<unsigned>(wanted), lastOfMonth);
    return Planned(sys_days(year_month_day(month.year(), month.month(), std::chrono::day(chosen))));
}

}  // namespace

std::string_view CycleUnitCode(CycleUnit unit) {
    const UnitRule* rule = RuleOf(unit);
    return rule ? rule->code : std::string_view();
}

std::string_view CycleUnitTextKey(CycleUnit unit) {
    const UnitRule* rule = RuleOf(unit);
    return rule ? rule->textKey : std::string_view();
}

CycleUnit CycleUnitOfCode(std::string_view code) {
    for (const CycleUnit unit : kCycleUnits) {
        if (CycleUnitCode(unit) == code) {
            return unit;
        }
    }
    return kUnitNone;
}

CycleUnit CycleUnitOfText(const FieldCatalogue& catalogue, std::string_view text) {
    for (const CycleUnit unit : kCycleUnits) {
        if (catalogue.arrFreqText[static_cast<std::size_t>(unit)] == text) {
            return unit;
        }
    }
    return kUnitNone;
}

std::string CycleUnitTextOfCode(const FieldCatalogue& catalogue, const std::string& code) {
    const CycleUnit unit = CycleUnitOfCode(code);
    return unit == kUnitNone ? code : catalogue.arrFreqText[static_cast<std::size_t>(unit)];
}

std::optional<int> LastCycleDay(CycleUnit unit) {
    const UnitRule* rule = RuleOf(unit);
    return rule ? rule->lastDay : std::nullopt;
}

NextCheck NextCheckOf(const CheckCycle& cycle, std::string_view lastCheck) {
    const CycleUnit unit = CycleUnitOfCode(cycle.unit);
    if (unit == kUnitNone || !cycle.count || *cycle.count < 1) {
        return {};
    }
    if (lastCheck.empty()) {
        return {NextCheck::State::kNeverCounted, {}};
    }
    const auto last = zel::HostDate::Parse(lastCheck);
    if (!last) {
        return {NextCheck::State::kBadDate, {}};
    }
    if (unit == kUnitWeek) {
        return NextOfWeek(last->Day(), *cycle.count, cycle.day);
    }
    if (unit == kUnitMonth) {
        return NextOfMonth(last->Day(), *cycle.count, cycle.day);
    }
    return Planned(sys_days(last->Day()) + days(*cycle.count));
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

}  // namespace korvel
