#include "db/demo/inventory_table.h"

namespace zel::demo {

InventoryTable::InventoryTable(SqliteConnection& connection)
    : insert_(connection,
              "insert into Inventory (iId, cInvCode, cInvAddCode, cInvName, cInvStd, cInvCCode, "
              "cGroupCode, cComUnitCode, cDefWareHouse, iTopSum, iLowSum, iSafeNum, iWastage, "
              "iFrequency, cFrequency, iDays, dLastDate, dSDate, dEDate) "
              "values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") {}

bool InventoryTable::Insert(const DemoItem& item) {
    insert_.Bind(1, item.iId);
    insert_.Bind(2, item.cInvCode);
    insert_.Bind(3, item.cInvAddCode);
    insert_.Bind(4, item.cInvName);
    insert_.Bind(5, item.cInvStd);
    insert_.Bind(6, item.cInvCCode);
    insert_.Bind(7, item.cGroupCode);
    insert_.Bind(8, item.cComUnitCode);
    insert_.Bind(9, item.cDefWareHouse);
    const StockSettings own = item.own.value_or(StockSettings{});
    insert_.Bind(10, own.iTopSum);
    insert_.Bind(11, own.iLowSum);
    insert_.Bind(12, own.iSafeNum);
    insert_.Bind(13, own.iWastage);
    insert_.Bind(14, own.iFrequency);
    insert_.Bind(15, own.cFrequency);
    insert_.Bind(16, own.iDays);
    insert_.Bind(17, own.dLastDate);
    insert_.Bind(18, item.dSDate);
    insert_.Bind(19, item.dEDate);
    return insert_.Run();
}

}  // namespace zel::demo
