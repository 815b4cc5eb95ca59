#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "core/field_catalogue.h"

namespace korvel {

// The stock-check cycle of a correspondence row: its unit, how many units lie between two checks,
// and for a week or a month the day within it on which the check falls. The schema holds the same
// rule for every writer; the windows read it here.

// The units, numbered by their place in the unit lists (the catalogue's arrFreqText and
// arrFreqValue, the editor's unit box).
enum CycleUnit : int { kUnitNone = -1, kUnitDay = 0, kUnitWeek = 1, kUnitMonth = 2 };
inline constexpr CycleUnit kCycleUnits[] = {kUnitDay, kUnitWeek, kUnitMonth};

// What a unit is stored as: "天", "周" or "月".
std::string_view CycleUnitCode(CycleUnit unit);
// The resource key of the text the lists show for a unit.
std::string_view CycleUnitTextKey(CycleUnit unit);
// kUnitNone for a code or text of no unit.
CycleUnit CycleUnitOfCode(std::string_view code);
CycleUnit CycleUnitOfText(const FieldCatalogue& catalogue, std::string_view text);
// The list text of the unit a code names; the code itself when it names none.
std::string CycleUnitTextOfCode(const FieldCatalogue& catalogue, const std::string& code);

// The check days a unit allows run from 1 to this: 7 for a week (1 is Sunday), 31 for a month;
// nullopt for a day and for no unit, which keep no check day.
std::optional<int> LastCycleDay(CycleUnit unit);

// A row's cycle as stored: the unit's code, the count and the check day.
struct CheckCycle {
    std::string unit;
    std::optional<int> count;
    std::optional<int> day;
};

// When a row's next stock check falls.
struct NextCheck {
    enum class State {
        kNoPlan,        // no unit, no count, a count or day the unit cannot have, or a next
                        // check past the host's last year
        kNeverCounted,  // a plan but no last check: due at once
        kPlanned,       // due on date
        kBadDate,       // a last check that is no date the host reads
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

// yyyy-mm-dd.
std::string CheckDateText(std::chrono::year_month_day date);
// Whole days from the next check to asOf: positive when overdue.
long DaysOverdue(std::chrono::year_month_day next, std::chrono::year_month_day asOf);

}  // namespace korvel
