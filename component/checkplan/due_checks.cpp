#include "checkplan/due_checks.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "core/login_context.h"
#include "core/text_escaping.h"
#include "host/controls/print/print_data.h"
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

DueCheckReader::DueCheckReader(zel::IClsCommon& db, const std::string& query,
                               std::chrono::year_month_day asOf)
    : rows_(db.Openforward(query)), asOf_(asOf) {}

void DueCheckReader::ReadSome(std::size_t records, std::vector<DueCheck>& due) {
    for (std::size_t read = 0; read < records && !AtEnd(); ++read, rows_->MoveNext()) {
        const zel::IRecordset& rows = *rows_;
        const CheckCycle cycle{Text(rows, kUnit), Whole(rows, kCount), Whole(rows, kDay)};
        std::string last = Text(rows, kLastCheck);
        const NextCheck next = NextCheckOf(cycle, last);
        if (next.Due(asOf_)) {
            due.push_back({Text(rows, kWarehouse), Text(rows, kWarehouseName),
                           Text(rows, kInventory), Text(rows, kInventoryName),
                           Text(rows, kStorekeeper), Text(rows, kStorekeeperName), std::move(last),
                           next});
        }
    }
}

bool DueCheckReader::AtEnd() const {
    return !rows_ || rows_->Eof();
}

bool DueCheckReader::Failed() const {
    return !rows_ || (rows_->Eof() && !rows_->IsOpen());
}

void SortDueChecks(std::vector<DueCheck>& due) {
    std::sort(due.begin(), due.end(),
              [](const DueCheck& a, const DueCheck& b) { return SortKey(a) < SortKey(b); });
}

std::vector<DueCheck> ReadDueChecks(zel::IClsCommon& db, const std::string& query,
                                    std::chrono::year_month_day asOf, bool& ok) {
    DueCheckReader reader(db, query, asOf);
    std::vector<DueCheck> due;
    while (!reader.AtEnd()) {
        reader.ReadSome(std::numeric_limits<std::size_t>::max(), due);
    }
    ok = !reader.Failed();
    if (!ok) {
        due.clear();
    }
    SortDueChecks(due);
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

std::string DueChecksColumnsQuery() {
    return "select Warehouse.cWhCode, Warehouse.cWhName, Inventory.cInvCode, Inventory.cInvName, "
           "Person.cPersonName as cWhPerson, WhInvContrapose.dLastDate, "
           "WhInvContrapose.dLastDate as dNextDate, WhInvContrapose.iDays as iOverdue "
           "from WhInvContrapose, Warehouse, Inventory, Person where 1=2";
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
        for (std::string& cell : DueCheckCells(row, captions, asOf)) {
            table.cells.push_back(std::move(cell));
        }
    }
    return table;
}

std::vector<std::string> DueCheckCells(const DueCheck& row, const DueCheckCaptions& captions,
                                       std::chrono::year_month_day asOf) {
    const bool never = row.next.state == NextCheck::State::kNeverCounted;
    const std::string storekeeper = row.storekeeperCode.empty()
                                        ? std::string()
                                        : row.storekeeperCode + " " + row.storekeeperName;
    return {row.warehouseCode,
            row.warehouseName,
            row.inventoryCode,
            row.inventoryName,
            storekeeper,
            row.lastCheck,
            never ? captions.neverCounted : CheckDateText(row.next.date),
            never ? std::string() : std::to_string(DaysOverdue(row.next.date, asOf))};
}

}  // namespace korvel
