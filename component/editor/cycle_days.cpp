#include "editor/cycle_days.h"

#include <charconv>

namespace korvel {

std::vector<std::string> CycleDays(int unit) {
    const int count = unit == kUnitWeek ? 7 : unit == kUnitMonth ? 31 : 0;
    std::vector<std::string> days;
    for (int day = 1; day <= count; ++day) {
        days.push_back(std::to_string(day));
    }
    return days;
}

std::string WeekdayTip(const FieldCatalogue& catalogue, int unit, const std::string& day) {
    int number = 0;
    const auto [end, error] = std::from_chars(day.data(), day.data() + day.size(), number);
    if (unit != kUnitWeek || error != std::errc() || end != day.data() + day.size() || number < 1 ||
        number > 7) {
        return {};
    }
    return catalogue.arrWeek[static_cast<std::size_t>(number)];
}

}  // namespace korvel
