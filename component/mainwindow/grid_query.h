#pragma once

#include <string>
#include <string_view>

#include "core/field_catalogue.h"

namespace korvel {

// The 17 grid columns: select list and joins of every correspondence-row query of the grid.
std::string GridSelectList(const FieldCatalogue& catalogue);
std::string GridJoins();
// No rows: only the columns, for formatting the grid before the first fill.
std::string GridColumnsQuery(const FieldCatalogue& catalogue);
// The rows of one warehouse the user may read, by inventory code.
std::string WarehouseRowsQuery(const FieldCatalogue& catalogue, std::string_view warehouseCode,
                               std::string_view inventoryCondition);
// Every column of the correspondence table for one warehouse.
std::string WarehouseRecordsQuery(std::string_view warehouseCode);
// The warehouses the user may read, by code.
std::string WarehouseListQuery(std::string_view warehouseCondition);

}  // namespace korvel
