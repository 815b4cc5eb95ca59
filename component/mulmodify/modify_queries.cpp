#include "mulmodify/modify_queries.h"

#include "core/text_escaping.h"

namespace korvel {

// The rows a user may change, not those he may only read: the set update and its count must
// reach exactly the rows the row-by-row pass and the server's own rights allow.
std::string ModifyQueries::MatchingTail(const std::string& condition, const LoginContext& login) {
    return " from whinvcontrapose Left join Warehouse on  whinvcontrapose.cWhCode=Warehouse.cWhCode"
           " left join Inventory on whinvcontrapose.cInvCode=Inventory.cInvcode where " +
           condition + " and " + login.sAuthInvW + " and " + login.sAuthWhW;
}

std::string ModifyQueries::MatchingQuery(const std::string& condition, const LoginContext& login) {
    return "select whinvcontrapose.cWhCode,whinvcontrapose.cInvCode" +
           MatchingTail(condition, login);
}

std::string ModifyQueries::SetUpdate(const std::string& field, const std::string& newValue,
                                     const std::string& matchingTail) {
    return "update WhInvContrapose set  " + field + "=" + newValue + matchingTail;
}

std::string ModifyQueries::RowUpdate(const std::string& field, const std::string& newValue,
                                     const std::string& warehouse, const std::string& inventory) {
    return "update WhInvContrapose set " + field + "=" + newValue +
           " where CWhCode=" + SqlQuoted(warehouse) + " and cInvCode=" + SqlQuoted(inventory);
}

std::string ModifyQueries::PairCount(const std::string& warehouse, const std::string& inventory) {
    return "select count(*) from WhInvContrapose where CWhCode=" + SqlQuoted(warehouse) +
           " and cInvCode=" + SqlQuoted(inventory);
}

}  // namespace korvel
