#include "editor/cycle_days.h"

#include <charconv>

namespace korvel {

std::vector<std::string> CycleDays(CycleUnit unit) {
    std::vector<std::string> days;
    for (int day = 1; day <= LastCycleDay(unit).value_or(0); ++day) {
        days.push_back(std::to_string(day));
    }
    return days;
}

std::string WeekdayTip(const FieldCatalogue& catalogue, CycleUnit unit, const std::string& day) {
    int number = 0;
    const auto [end, error] = std::from_chars(day.data(), day.data() + day.size(), number);
    if (unit != kUnitWeek || error != std::errc() || end != day.data() + day.size() || number < 1 ||
        number > *LastCycleDay(kUnitWeek)) {
        return {};
    }
    return catalogue.arrWeek[static_cast<std::size_t>(number)];
}

}  // namespace korvel
