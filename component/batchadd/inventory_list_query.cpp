#include "batchadd/inventory_list_query.h"

#include "core/text_escaping.h"

namespace korvel {
namespace {

// A caption is an alias in brackets; a closing bracket inside it is doubled, as the dialect
// reads it.
std::string Alias(const std::string& caption) {
    std::string alias = "[";
    for (const char c : caption) {
        alias += c;
        if (c == ']') {
            alias += ']';
        }
    }
    return alias + "]";
}

std::string SelectPart(const std::array<std::string, 7>& captions) {
    return "Select cInvCode as " + Alias(captions[0]) + ",cInvAddCode as " + Alias(captions[1]) +
           ",cInvName as " + Alias(captions[2]) + ",cInvStd as " + Alias(captions[3]) +
           ",Inventory.cInvCCode as " + Alias(captions[4]) + " ,cInvCName as " +
           Alias(captions[5]) + ",cDefWareHouse as " + Alias(captions[6]);
}

std::string ClassList(const std::vector<std::string>& classCodes) {
    std::string list;
    for (const std::string& code : classCodes) {
        list += (list.empty() ? "(" : ",") + SqlQuoted(code);
    }
    return list + ")";
}

}  // namespace

InventoryListQuery InventoryListQuery::Build(const std::array<std::string, 7>& captions,
                                             const std::vector<std::string>& classCodes,
                                             const std::string& sAuthInvW,
                                             const std::string& endDateFilter) {
    constexpr const char* kJoin =
        " Left Join InventoryClass on Inventory.cInvCCode=InventoryClass.cInvCCode ";
    InventoryListQuery query;
    if (classCodes.empty()) {
        query.sql = SelectPart(captions) + " from Inventory " + kJoin + " Where " + sAuthInvW +
                    " and " + endDateFilter + "  Order by Inventory.cInvCCode,cInvCode ASC";
        query.mode = kAllItems;
    } else {
        query.sql = SelectPart(captions) + " from Inventory  " + kJoin +
                    " where (Inventory.cInvCCode in " + ClassList(classCodes) + " ) and " +
                    sAuthInvW + " and " + endDateFilter +
                    " Order by Inventory.cInvCCode,cInvCode ASC";
        query.mode = kOfClasses;
    }
    return query;
}

}  // namespace korvel
