#include "checkplan/counted_today.h"

#include "core/login_context.h"
#include "core/text_escaping.h"
#include "host/objects/host_date.h"
#include "interfaces/cls_common.h"
#include "interfaces/recordset.h"

namespace korvel {
namespace {

// The rows named by their keys, under the write rights: a list of pairs rather than a chain of
// "or", which the engines nest and limit.
std::string RowsCondition(const LoginContext& login, const std::vector<RowKey>& rows) {
    std::string pairs;
    for (const RowKey& row : rows) {
        pairs += pairs.empty() ? "" : ", ";
        pairs += "(" + SqlQuoted(row.warehouse) + ", " + SqlQuoted(row.inventory) + ")";
    }
    return " from WhInvContrapose inner join Inventory on "
           "WhInvContrapose.cInvCode=Inventory.cInvCode inner join Warehouse on "
           "WhInvContrapose.cWhCode=Warehouse.cWhCode where "
           "(WhInvContrapose.cWhCode, WhInvContrapose.cInvCode) in (values " +
           pairs + ") and " + login.sAuthInvW + " and " + login.sAuthWhW;
}

}  // namespace

CountedOutcome MarkCountedToday(const LoginContext& login, const std::vector<RowKey>& rows) {
    CountedOutcome outcome;
    const auto today = zel::HostDate::Parse(login.sCurDate);
    if (rows.empty()) {
        outcome.done = true;
        return outcome;
    }
    if (!today) {
        outcome.error = "no business date: " + login.sCurDate;
        return outcome;
    }
    const std::string condition = RowsCondition(login, rows);
    const auto counted = login.db->OpenX("select count(*)" + condition);
    if (!counted || counted->Eof()) {
        outcome.error = login.db->LastError();
        return outcome;
    }
    outcome.changed = static_cast<long long>(counted->Fields(0)->ToDouble().value_or(0));
    if (outcome.changed == 0) {
        outcome.done = true;
        return outcome;
    }
    outcome.done = login.db->ExecuteX(
        "update WhInvContrapose set dLastDate=" + SqlQuoted(today->ToIso()) + condition);
    if (!outcome.done) {
        outcome.error = login.db->LastError();
        outcome.changed = 0;
    }
    return outcome;
}

}  // namespace korvel
