#include "mainwindow/grid_query.h"

#include "core/common.h"
#include "core/correspondence_fields.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

constexpr std::string_view kCorrespondenceTable = "WhInvContrapose";

// The catalogued fields are named as the catalogue holds them, the joined names as declared.
std::string NameOf(const FieldCatalogue& catalogue, const CorrespondenceField& field) {
    const int nameIndex = field.catalogue.nameIndex;
    return nameIndex == kNoPosition ? std::string(field.column)
                                    : catalogue.arrFldName[static_cast<std::size_t>(nameIndex)];
}

// The grid's columns in order, comma separated; unqualified names as bareName makes them.
template <class BareName>
std::string GridSelectItems(const FieldCatalogue& catalogue, BareName bareName) {
    const FieldList fields = FieldsInGridOrder();
    std::string items;
    for (const CorrespondenceField* field : fields) {
        if (field != fields.front()) {
            items += ",";
        }
        const std::string name = NameOf(catalogue, *field);
        if (field->grid.qualifier.empty()) {
            items += bareName(name);
        } else {
            items += field->grid.qualifier;
            items += ".";
            items += name;
        }
        items += field->grid.trailer;
    }
    return items;
}

std::string GridSelectItems(const FieldCatalogue& catalogue) {
    return GridSelectItems(catalogue, [](const std::string& name) { return name; });
}

std::string UnitJoins() {
    return JoinClauseFor("computationGroup.cGroupName,ComputationUnit.cComUnitName");
}

}  // namespace

std::string GridSelectList(const FieldCatalogue& catalogue) {
    return "Select " + GridSelectItems(catalogue);
}

std::string GridJoins() {
    return std::string(" from WhInvContrapose inner join Inventory ") +
           " on WhInvContrapose.cInvCode=Inventory.cInvCode " + UnitJoins() +
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

// The find condition goes in parentheses: an "or" of its own would otherwise reach past the
// warehouse and the inventory rights.
std::string FilteredRowsQuery(const FieldCatalogue& catalogue, std::string_view warehouseCode,
                              std::string_view findCondition, std::string_view inventoryCondition) {
    return "Select  " + GridSelectItems(catalogue) + " from WhInvContrapose inner join Inventory " +
           " on WhInvContrapose.cInvCode=Inventory.cInvCode" + UnitJoins() +
           "Left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode " +
           " where WhInvContrapose.CWhCode='" + SqlEscaped(warehouseCode) + "'" + " and (" +
           std::string(findCondition) + ")" + " and " + std::string(inventoryCondition) +
           " ORDER BY WhInvContrapose.cInvCode asc";
}

std::string ExportColumnsQuery(const FieldCatalogue& catalogue) {
    return "Select " +
           GridSelectItems(
               catalogue,
               [](const std::string& name) { return QualifyField(kCorrespondenceTable, name); }) +
           " from WhInvContrapose , Inventory,computationGroup,ComputationUnit,person  where 1=2";
}

std::string QualifyField(std::string_view table, std::string_view field) {
    if (field.find('.') != std::string_view::npos) {
        return std::string(field);
    }
    std::string qualified(table);
    qualified += '.';
    qualified += field;
    return qualified;
}

std::string WarehouseRecordsQuery(std::string_view warehouseCode) {
    return "Select * from WhInvContrapose where CWhCode='" + SqlEscaped(warehouseCode) +
           "' order by cInvCode asc";
}

std::string WarehouseListQuery(std::string_view warehouseCondition) {
    return "select * from Warehouse where " + std::string(warehouseCondition) +
           " order by CWhCode asc";
}

// Both codes escaped: the service puts the condition inside a literal of its own, so an
// apostrophe left single would let a code end it and add conditions of its own.
std::string DeleteCondition(std::string_view inventoryCode, std::string_view warehouseCode) {
    return SqlEscaped(inventoryCode) + "' and  Cwhcode='" + SqlEscaped(warehouseCode);
}

}  // namespace korvel
