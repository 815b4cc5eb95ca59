#include "host/database/record_cycle_day.h"

#include "host/database/database_texts.h"

namespace zel {
namespace {

constexpr const char* kUnit = "cFrequency";
constexpr const char* kDay = "iDays";

bool UnitHasDays(const Variant& unit) {
    const std::string text = unit.ToString();
    return text == "周" || text == "月";
}

}  // namespace

bool ApplyRecordCycleDay(std::map<std::string, Variant>& values, bool namesDay,
                         std::string& message) {
    const auto unit = values.find(kUnit);
    if (unit == values.end()) {
        return true;
    }
    if (!namesDay) {
        if (!UnitHasDays(unit->second)) {
            values[kDay] = Variant();
        }
        return true;
    }
    const auto day = values.find(kDay);
    if (unit->second.IsNull() && day != values.end() && !day->second.IsNull()) {
        message = DatabaseTexts::Text("Zel.HOST.DB.days_not_allowed");
        return false;
    }
    return true;
}

}  // namespace zel
