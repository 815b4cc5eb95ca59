#include "db/demo/correspondence_table.h"

namespace zel::demo {

CorrespondenceTable::CorrespondenceTable(SqliteConnection& connection)
    : insert_(connection,
              "insert into WhInvContrapose (cWhCode, cInvCode, iTopSum, iLowSum, iSafeNum, "
              "iWastage, iFrequency, cFrequency, iDays, dLastDate, cWhPersonCode, cCreatePerson) "
              "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'demo')") {}

bool CorrespondenceTable::Insert(const std::string& warehouse, const std::string& item,
                                 const StockSettings& settings,
                                 const std::optional<std::string>& person) {
    insert_.Bind(1, warehouse);
    insert_.Bind(2, item);
    insert_.Bind(3, settings.iTopSum);
    insert_.Bind(4, settings.iLowSum);
    insert_.Bind(5, settings.iSafeNum);
    insert_.Bind(6, settings.iWastage);
    insert_.Bind(7, settings.iFrequency);
    insert_.Bind(8, settings.cFrequency);
    insert_.Bind(9, settings.iDays);
    insert_.Bind(10, settings.dLastDate);
    insert_.Bind(11, person);
    return insert_.Run();
}

}  // namespace zel::demo
