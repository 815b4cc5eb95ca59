#include "mainwindow/grid_query.h"

#include "core/common.h"
#include "core/correspondence_fields.h"
#include "core/text_escaping.h"

namespace korvel {

// The catalogued fields are named as the catalogue holds them, the joined names as declared.
std::string GridSelectList(const FieldCatalogue& catalogue) {
    const FieldList fields = FieldsInGridOrder();
    std::string list = "Select ";
    for (const CorrespondenceField* field : fields) {
        if (field != fields.front()) {
            list += ",";
        }
        if (!field->grid.qualifier.empty()) {
            list += field->grid.qualifier;
            list += ".";
        }
        const int nameIndex = field->catalogue.nameIndex;
        list += nameIndex == kNoPosition
                    ? std::string(field->column)
                    : catalogue.arrFldName[static_cast<std::size_t>(nameIndex)];
        list += field->grid.trailer;
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
