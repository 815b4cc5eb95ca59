#include "mainwindow/grid_query.h"

#include "core/common.h"
#include "core/text_escaping.h"

namespace korvel {

std::string GridSelectList(const FieldCatalogue& catalogue) {
    const auto& field = catalogue.arrFldName;
    std::string list = "Select WhInvContrapose." + field[0];
    for (int i = 1; i <= 3; ++i) {
        list += ",Inventory." + field[i];
    }
    list += ",computationGroup.cGroupName,Inventory." + field[4] + ",ComputationUnit.cComUnitName ";
    for (int i = 5; i <= 12; ++i) {
        list += ",WhInvContrapose." + field[i];
    }
    for (int i = 13; i <= 14; ++i) {
        list += "," + field[i];
    }
    return list;
}

std::string GridJoins() {
    return std::string(" from WhInvContrapose inner join Inventory ") +
           " on WhInvContrapose.cInvCode=Inventory.cInvCode " +
           JoinClauseFor("computationGroup.cGroupName,ComputationUnit.cComUnitName") +
           "Left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode ";
}

std::string GridColumnsQuery(const FieldCatalogue& catalogue) {
    return GridSelectList(catalogue) + GridJoins() + " where 1=2";
}

// The code is escaped: a warehouse code holding an apostrophe must select its own rows, not end
// the literal.
std::string WarehouseRowsQuery(const FieldCatalogue& catalogue, std::string_view warehouseCode,
                               std::string_view inventoryCondition) {
    return GridSelectList(catalogue) + GridJoins() + " where WhInvContrapose.CWhCode='" +
           SqlEscaped(warehouseCode) + "'" + " and " + std::string(inventoryCondition) +
           " ORDER BY WhInvContrapose.cInvCode asc";
}

std::string WarehouseRecordsQuery(std::string_view warehouseCode) {
    return "Select * from WhInvContrapose where CWhCode='" + SqlEscaped(warehouseCode) +
           "' order by cInvCode asc";
}

std::string WarehouseListQuery(std::string_view warehouseCondition) {
    return "select * from Warehouse where " + std::string(warehouseCondition) +
           " order by CWhCode asc";
}

}  // namespace korvel
