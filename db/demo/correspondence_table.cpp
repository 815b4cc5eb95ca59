#include "db/demo/correspondence_table.h"

#include "db/demo/optional_value.h"

namespace zel::demo {

CorrespondenceTable::CorrespondenceTable(SqlBackend& backend, int rowsPerStatement)
    : insert_(backend,
              "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, "
              "iWastage, iFrequency, cFrequency, iDays, dLastDate, cWhPersonCode, cCreatePerson)",
              "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'demo')", rowsPerStatement) {}

bool CorrespondenceTable::Insert(const std::string& warehouse, const std::string& item,
                                 const StockSettings& settings,
                                 const std::optional<std::string>& person) {
    return insert_.Add({Variant(warehouse), Variant(item), OptionalValue(settings.iTopSum),
                        OptionalValue(settings.iLowSum), OptionalValue(settings.iSafeNum),
                        OptionalValue(settings.iWastage), OptionalValue(settings.iFrequency),
                        OptionalValue(settings.cFrequency), OptionalValue(settings.iDays),
                        OptionalValue(settings.dLastDate), OptionalValue(person)});
}

}  // namespace zel::demo
