#include "host/pub/reference_object.h"

#include <array>

#include "host/database/sql_text.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

struct NamedObject {
    const char* kind;
    ReferenceObject object;
};

constexpr std::array<NamedObject, 3> kObjects{{
    {"warehouse", {"Warehouse", "cWhCode", "cWhName", "cWhCode,cWhName,cWhAddress,cWhPerson", ""}},
    {"inventory",
     {"Inventory", "cInvCode", "cInvName", "cInvCode,cInvName,cInvStd,cInvCCode",
      "select * from InventoryClass Order by cInvCCode ASC"}},
    {"person", {"Person", "cPersonCode", "cPersonName", "cPersonCode,cPersonName,cDepCode", ""}},
}};

// An empty condition restricts nothing; any other is appended as it is, parenthesised so that an
// "or" inside it cannot widen the rest of the query.
std::string AndAllowed(const std::string& authCondition) {
    return WithoutSurroundingBlanks(authCondition).empty() ? std::string()
                                                           : " and (" + authCondition + ")";
}

}  // namespace

std::optional<ReferenceObject> ReferenceObject::Of(std::string_view kind) {
    for (const NamedObject& named : kObjects) {
        if (AsciiEqualIgnoringCase(kind, named.kind)) {
            return named.object;
        }
    }
    return std::nullopt;
}

std::string ReferenceObject::PickerQuery(const std::string& authCondition) const {
    return std::string("select ") + pickerColumns + " from " + table + " where 1=1" +
           AndAllowed(authCondition) + " order by " + codeField;
}

std::string ReferenceObject::CodeQuery(const std::string& value,
                                       const std::string& authCondition) const {
    return std::string("select ") + table + "." + codeField + " from " + table + " where " + table +
           "." + codeField + "=" + SqlQuoted(value) + AndAllowed(authCondition);
}

}  // namespace zel
