#include "editor/editor_queries.h"

#include "core/common.h"
#include "core/text_case.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

std::string CodeOrName(std::string_view codeField, std::string_view nameField,
                       std::string_view text) {
    const std::string literal = SqlQuoted(text);
    // Appended rather than concatenated: GCC 12 at -O3 warns (-Wrestrict) inside the inlined
    // concatenation of temporaries.
    std::string condition = "(";
    condition.append(codeField).append("=").append(literal).append(" or ");
    condition.append(nameField).append("=").append(literal).append(")");
    return condition;
}

}  // namespace

std::string InventoryLookupQuery(const FieldCatalogue& catalogue, std::string_view text,
                                 std::string_view inventoryCondition,
                                 std::string_view endDateCondition) {
    std::string query = "select  Inventory.cInvCode";
    for (int i = 1; i <= 12; ++i) {
        query += ",Inventory." + catalogue.arrFldName[i];
    }
    query +=
        " ,cDefWareHouse,computationGroup.cGroupName,ComputationUnit.cComUnitName from Inventory ";
    query += JoinClauseFor("computationGroup.cGroupName,ComputationUnit.cComUnitName");
    query += " where " + CodeOrName("cInvCode", "cInvName", text) + " and " +
             std::string(inventoryCondition) + " and " + std::string(endDateCondition);
    return query;
}

std::string WarehouseLookupQuery(std::string_view text, std::string_view warehouseCondition) {
    return "select  CWhCode,CWhName from warehouse where " +
           CodeOrName("CWhCode", "CWhName", text) + " and " + std::string(warehouseCondition);
}

std::string PersonLookupQuery(std::string_view text, std::string_view personCondition) {
    return "select  cPersonCode,cPersonName from Person where " +
           CodeOrName("cPersonCode", "cPersonName", text) + " and " + std::string(personCondition);
}

std::string DefaultWarehouseQuery(std::string_view code) {
    return "select top 1  CWhCode,CWhName from warehouse where CWhCode=" + SqlQuoted(code);
}

std::string WarehouseNameQuery(std::string_view code, std::string_view warehouseCondition) {
    return "select top 1 CWhName from Warehouse where cWhCode=" + SqlQuoted(code) + " and  " +
           std::string(warehouseCondition);
}

std::string StoredQuantitiesQuery(std::string_view warehouseCode, std::string_view inventoryCode,
                                  std::string_view inventoryCondition) {
    return "select WhInvContrapose.iTopSum,WhInvContrapose.iLowSum,WhInvContrapose.iSafeNum,"
           "WhInvContrapose.iWastage from WhInvContrapose inner join Inventory on "
           "WhInvContrapose.cInvCode=Inventory.cInvCode where WhInvContrapose.cWhCode=" +
           SqlQuoted(warehouseCode) + " and WhInvContrapose.cInvCode=" + SqlQuoted(inventoryCode) +
           " and " + std::string(inventoryCondition);
}

std::string EditorColumnSizesQuery() {
    return "select * from whInvContrapose,Inventory,person where 1=2";
}

std::string PickerClassQuery(std::string_view classTable, std::string_view classCodeField) {
    if (classTable.empty()) {
        return {};
    }
    return "select * from " + std::string(classTable) + " Order by " + std::string(classCodeField) +
           " ASC";
}

std::string PickerItemQuery(std::string_view table, std::string_view writeCondition,
                            std::string_view match, std::string_view endDateCondition) {
    std::string query = "select * from " + std::string(table) + " where  " +
                        std::string(writeCondition) + " and " + std::string(match);
    if (EqualsNoCase(table, "inventory")) {
        query += " and " + std::string(endDateCondition);
    }
    return query;
}

}  // namespace korvel
