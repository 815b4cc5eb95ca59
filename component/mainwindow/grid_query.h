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
// The rows of one warehouse the user may read that also satisfy a condition of the find dialog,
// by inventory code.
std::string FilteredRowsQuery(const FieldCatalogue& catalogue, std::string_view warehouseCode,
                              std::string_view findCondition, std::string_view inventoryCondition);
// No rows, the grid's columns each named with its table, for the column types of an export.
std::string ExportColumnsQuery(const FieldCatalogue& catalogue);
// The field with the table in front, unless it names its table already.
std::string QualifyField(std::string_view table, std::string_view field);
// Every column of the correspondence table for one warehouse.
std::string WarehouseRecordsQuery(std::string_view warehouseCode);
// The warehouses the user may read, by code.
std::string WarehouseListQuery(std::string_view warehouseCondition);
// The condition the database service's Delete compares cInvCode with: it closes the code's
// literal and adds the warehouse, so that one warehouse's row of the item goes.
std::string DeleteCondition(std::string_view inventoryCode, std::string_view warehouseCode);

}  // namespace korvel
