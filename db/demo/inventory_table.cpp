#include "db/demo/inventory_table.h"

#include "db/demo/optional_value.h"

namespace zel::demo {

InventoryTable::InventoryTable(SqlBackend& backend, int rowsPerStatement)
    : insert_(backend,
              "insert into Inventory (iId, cInvCode, cInvAddCode, cInvName, cInvStd, cInvCCode, "
              "cGroupCode, cComUnitCode, cDefWareHouse, iTopSum, iLowSum, iSafeNum, iWastage, "
              "iFrequency, cFrequency, iDays, dLastDate, dSDate, dEDate)",
              "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)", rowsPerStatement) {}

bool InventoryTable::Insert(const DemoItem& item) {
    const StockSettings own = item.own.value_or(StockSettings{});
    return insert_.Add(
        {Variant(item.iId), Variant(item.cInvCode), OptionalValue(item.cInvAddCode),
         Variant(item.cInvName), Variant(item.cInvStd), Variant(item.cInvCCode),
         Variant(item.cGroupCode), Variant(item.cComUnitCode), OptionalValue(item.cDefWareHouse),
         OptionalValue(own.iTopSum), OptionalValue(own.iLowSum), OptionalValue(own.iSafeNum),
         OptionalValue(own.iWastage), OptionalValue(own.iFrequency), OptionalValue(own.cFrequency),
         OptionalValue(own.iDays), OptionalValue(own.dLastDate), OptionalValue(item.dSDate),
         OptionalValue(item.dEDate)});
}

}  // namespace zel::demo
