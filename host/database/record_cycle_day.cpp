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

bool ApplyRecordCycleDay(const ColumnCatalogue::Table& table,
                         const std::map<std::string, std::string>& texts,
                         std::map<std::string, Variant>& values, std::string& message) {
    const auto unit = values.find(kUnit);
    if (unit == values.end() || ColumnCatalogue::OfSchema().Find(table.name, kDay) == nullptr) {
        return true;
    }
    if (!texts.contains(kDay)) {
        if (!UnitHasDays(unit->second)) {
            values[kDay] = Variant();
        }
        return true;
    }
    if (unit->second.IsNull() && !values.at(kDay).IsNull()) {
        message = DatabaseTexts::Text("Zel.HOST.DB.days_not_allowed");
        return false;
    }
    return true;
}

}  // namespace zel
