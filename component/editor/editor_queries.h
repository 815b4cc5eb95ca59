#pragma once

#include <string>
#include <string_view>

#include "core/field_catalogue.h"

namespace korvel {

// The look-ups of the editor's key fields: every row whose code or name is the typed text,
// within the read condition. Typed text is escaped: it never ends the literal.
std::string InventoryLookupQuery(const FieldCatalogue& catalogue, std::string_view text,
                                 std::string_view inventoryCondition,
                                 std::string_view endDateCondition);
std::string WarehouseLookupQuery(std::string_view text, std::string_view warehouseCondition);
std::string PersonLookupQuery(std::string_view text, std::string_view personCondition);
// An item's default warehouse, without any right: the service decides on saving.
std::string DefaultWarehouseQuery(std::string_view code);
// The name of the warehouse the add mode starts with.
std::string WarehouseNameQuery(std::string_view code, std::string_view warehouseCondition);
// The quantities of one correspondence row, within the inventory read condition.
std::string StoredQuantitiesQuery(std::string_view warehouseCode, std::string_view inventoryCode,
                                  std::string_view inventoryCondition);
// No rows: only the declared sizes of the three tables' columns.
std::string EditorColumnSizesQuery();
// The picker's class list, "" without a class table.
std::string PickerClassQuery(std::string_view classTable, std::string_view classCodeField);
std::string PickerItemQuery(std::string_view table, std::string_view writeCondition,
                            std::string_view match, std::string_view endDateCondition);

}  // namespace korvel
