#include "checkplan/due_checks.h"

#include <algorithm>
#include <tuple>

#include "core/login_context.h"
#include "core/text_escaping.h"
#include "host/controls/print_data.h"
#include "interfaces/cls_common.h"
#include "interfaces/pub.h"
#include "interfaces/recordset.h"

namespace korvel {
namespace {

constexpr const char* kCaptionKeys[] = {
    "Zel.AA.WHINVCONTRAPOSE.DUE.cWhCode",   "Zel.AA.WHINVCONTRAPOSE.DUE.cWhName",
    "Zel.AA.WHINVCONTRAPOSE.DUE.cInvCode",  "Zel.AA.WHINVCONTRAPOSE.DUE.cInvName",
    "Zel.AA.WHINVCONTRAPOSE.DUE.cWhPerson", "Zel.AA.WHINVCONTRAPOSE.DUE.dLastDate",
    "Zel.AA.WHINVCONTRAPOSE.DUE.dNextDate", "Zel.AA.WHINVCONTRAPOSE.DUE.iOverdue"};

enum Column {
    kWarehouse,
    kWarehouseName,
    kInventory,
    kInventoryName,
    kStorekeeper,
    kStorekeeperName,
    kUnit,
    kCount,
    kDay,
    kLastCheck,
};

std::string Text(const zel::IRecordset& rows, int column) {
    const auto value = rows.Fields(column);
    return value && !value->IsNull() ? value->ToString() : std::string();
}

std::optional<int> Whole(const zel::IRecordset& rows, int column) {
    const auto value = rows.Fields(column);
    const auto number = value ? value->ToDouble() : std::nullopt;
    return number ? std::optional(static_cast<int>(*number)) : std::nullopt;
}

// Never counted first, then the earliest next check.
auto SortKey(const DueCheck& row) {
    const bool never = row.next.state == NextCheck::State::kNeverCounted;
    const long day =
        never ? 0
              : static_cast<long>(std::chrono::sys_days(row.next.date).time_since_epoch().count());
    return std::tuple(!never, day, row.warehouseCode, row.inventoryCode);
}

}  // namespace

std::string DueChecksQuery(const LoginContext& login, const DueCheckFilter& filter) {
    std::string sql =
        "select WhInvContrapose.cWhCode, Warehouse.cWhName, WhInvContrapose.cInvCode, "
        "Inventory.cInvName, WhInvContrapose.cWhPersonCode, Person.cPersonName, "
        "WhInvContrapose.cFrequency, WhInvContrapose.iFrequency, WhInvContrapose.iDays, "
        "WhInvContrapose.dLastDate from WhInvContrapose "
        "inner join Inventory on WhInvContrapose.cInvCode=Inventory.cInvCode "
        "inner join Warehouse on WhInvContrapose.cWhCode=Warehouse.cWhCode "
        "left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode "
        "where WhInvContrapose.cFrequency is not null and WhInvContrapose.iFrequency>0 and " +
        login.sAuthInv + " and " + login.sAuthWh;
    if (!filter.warehouse.empty()) {
        sql += " and WhInvContrapose.cWhCode=" + SqlQuoted(filter.warehouse);
    }
    if (!filter.storekeeper.empty()) {
        sql += " and WhInvContrapose.cWhPersonCode=" + SqlQuoted(filter.storekeeper);
    }
    return sql;
}

std::vector<DueCheck> ReadDueChecks(zel::IClsCommon& db, const std::string& query,
                                    std::chrono::year_month_day asOf, bool& ok) {
    std::vector<DueCheck> due;
    const auto rows = db.Openforward(query);
    ok = rows != nullptr;
    for (; rows && !rows->Eof(); rows->MoveNext()) {
        const CheckCycle cycle{Text(*rows, kUnit), Whole(*rows, kCount), Whole(*rows, kDay)};
        const std::string last = Text(*rows, kLastCheck);
        const NextCheck next = NextCheckOf(cycle, last);
        if (!next.Due(asOf)) {
            continue;
        }
        due.push_back({Text(*rows, kWarehouse), Text(*rows, kWarehouseName),
                       Text(*rows, kInventory), Text(*rows, kInventoryName),
                       Text(*rows, kStorekeeper), Text(*rows, kStorekeeperName), last, next});
    }
    // A read that broke off part way lists nothing rather than part of what is due.
    if (rows && !rows->IsOpen()) {
        ok = false;
        due.clear();
    }
    std::sort(due.begin(), due.end(),
              [](const DueCheck& a, const DueCheck& b) { return SortKey(a) < SortKey(b); });
    return due;
}

DueCheckCaptions DueCheckCaptionsOf(zel::IPub& pub) {
    DueCheckCaptions captions;
    for (const char* key : kCaptionKeys) {
        captions.columns.push_back(pub.GetResString(key));
    }
    captions.neverCounted = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.DUE.never");
    return captions;
}

zel::PrintData DueChecksTable(const std::vector<DueCheck>& rows, const DueCheckCaptions& captions,
                              std::chrono::year_month_day asOf) {
    zel::PrintData table;
    table.headers = captions.columns;
    table.rightAligned.assign(table.headers.size(), false);
    if (!table.rightAligned.empty()) {
        table.rightAligned.back() = true;
    }
    table.serialNumbers = false;
    table.date = CheckDateText(asOf);
    for (const DueCheck& row : rows) {
        const bool never = row.next.state == NextCheck::State::kNeverCounted;
        const std::string storekeeper = row.storekeeperCode.empty()
                                            ? std::string()
                                            : row.storekeeperCode + " " + row.storekeeperName;
        for (std::string cell :
             {row.warehouseCode, row.warehouseName, row.inventoryCode, row.inventoryName,
              storekeeper, row.lastCheck,
              never ? captions.neverCounted : CheckDateText(row.next.date),
              never ? std::string() : std::to_string(DaysOverdue(row.next.date, asOf))}) {
            table.cells.push_back(std::move(cell));
        }
    }
    return table;
}

}  // namespace korvel
