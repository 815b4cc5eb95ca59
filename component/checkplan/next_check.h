#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace korvel {

// The stock-check cycle a correspondence row keeps: the unit ("天", "周" or "月", as stored), how
// many units lie between two checks, and for a week or month the day within it (a week's days
// 1 = Sunday … 7 = Saturday, a month's 1 … 31).
struct CheckCycle {
    std::string unit;
    std::optional<int> count;
    std::optional<int> day;
};

// When a row's next stock check falls.
struct NextCheck {
    enum class State {
        kNoPlan,        // no unit, no count, or a count or day the unit cannot have
        kNeverCounted,  // a plan but no last check: due at once
        kPlanned,       // due on date
        kBadDate,       // a last check that is no date from 1900 on
    };
    State state = State::kNoPlan;
    std::chrono::year_month_day date{};

    bool Due(std::chrono::year_month_day asOf) const {
        return state == State::kNeverCounted ||
               (state == State::kPlanned &&
                std::chrono::sys_days(date) <= std::chrono::sys_days(asOf));
    }
};

// A day cycle comes count days after the last check; a week cycle on the given weekday of the
// week count weeks after the last check's week (weeks start on Sunday); a month cycle on the given
// day of the month count months after the last check's month, or on that month's last day when it
// is shorter. A week or month cycle without a day keeps the last check's weekday or day.
NextCheck NextCheckOf(const CheckCycle& cycle, std::string_view lastCheck);

// "yyyy-mm-dd" from 1900 on; nullopt otherwise.
std::optional<std::chrono::year_month_day> ParseCheckDate(std::string_view text);
std::string CheckDateText(std::chrono::year_month_day date);
// Whole days from the next check to asOf: positive when overdue.
long DaysOverdue(std::chrono::year_month_day next, std::chrono::year_month_day asOf);

}  // namespace korvel
