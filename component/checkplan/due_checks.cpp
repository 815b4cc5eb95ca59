#include "checkplan/due_checks.h"

#include <limits>
#include <string_view>

#include "core/login_context.h"
#include "core/text_escaping.h"
#include "host/controls/print/print_data.h"
#include "host/objects/host_date.h"
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
    kLastCheck,
    kNextCheck,
};

// How the database writes a next check that is due at once: before every day.
constexpr std::string_view kDueAtOnce = "-infinity";

std::string Text(const zel::IRecordset& rows, int column) {
    const auto value = rows.Fields(column);
    return value && !value->IsNull() ? value->ToString() : std::string();
}

// A row due at once was never counted, or holds a last check the program cannot read.
NextCheck NextCheckOfRow(const std::string& next, const std::string& lastCheck) {
    if (next == kDueAtOnce) {
        return {lastCheck.empty() ? NextCheck::State::kNeverCounted : NextCheck::State::kBadDate,
                {}};
    }
    const auto day = zel::HostDate::Parse(next);
    return day ? NextCheck{NextCheck::State::kPlanned, day->Day()}
               : NextCheck{NextCheck::State::kBadDate, {}};
}

// A read right is tested in a subquery of its own table: written on the joined tables, a right
// naming warehouses or items lets SQLite start from those and sort the rows after reading them
// all, where the list wants them read in the order of the next-check index, the first at once.
// A right to every row needs no test, which would cost the server a second pass over the table.
std::string ReadRightOf(std::string_view table, std::string_view key,
                        const std::string& condition) {
    if (condition == kEveryRowCondition) {
        return {};
    }
    const std::string name(table);
    const std::string column(key);
    return " and exists (select 1 from " + name + " where " + name + "." + column +
           "=WhInvContrapose." + column + " and " + condition + ")";
}

}  // namespace

std::string DueChecksQuery(const LoginContext& login, const DueCheckFilter& filter,
                           std::chrono::year_month_day asOf) {
    std::string sql =
        "select WhInvContrapose.cWhCode, Warehouse.cWhName, WhInvContrapose.cInvCode, "
        "Inventory.cInvName, WhInvContrapose.cWhPersonCode, Person.cPersonName, "
        "WhInvContrapose.dLastDate, WhInvContrapose.dNextDate from WhInvContrapose "
        "inner join Inventory on WhInvContrapose.cInvCode=Inventory.cInvCode "
        "inner join Warehouse on WhInvContrapose.cWhCode=Warehouse.cWhCode "
        "left join Person on WhInvContrapose.cWhPersonCode=Person.cPersonCode "
        "where WhInvContrapose.dNextDate<=" +
        SqlQuoted(CheckDateText(asOf)) + ReadRightOf("Inventory", "cInvCode", login.sAuthInv) +
        ReadRightOf("Warehouse", "cWhCode", login.sAuthWh);
    if (!filter.warehouse.empty()) {
        sql += " and WhInvContrapose.cWhCode=" + SqlQuoted(filter.warehouse);
    }
    if (!filter.storekeeper.empty()) {
        sql += " and WhInvContrapose.cWhPersonCode=" + SqlQuoted(filter.storekeeper);
    }
    return sql +
           " order by WhInvContrapose.dNextDate, WhInvContrapose.cWhCode, "
           "WhInvContrapose.cInvCode";
}

DueCheckReader::DueCheckReader(zel::IClsCommon& db, const std::string& query)
    : rows_(db.Openforward(query)) {}

void DueCheckReader::ReadSome(std::size_t records, std::vector<DueCheck>& due) {
    for (std::size_t read = 0; read < records && !AtEnd(); ++read, rows_->MoveNext()) {
        const zel::IRecordset& rows = *rows_;
        std::string last = Text(rows, kLastCheck);
        const NextCheck next = NextCheckOfRow(Text(rows, kNextCheck), last);
        due.push_back({Text(rows, kWarehouse), Text(rows, kWarehouseName), Text(rows, kInventory),
                       Text(rows, kInventoryName), Text(rows, kStorekeeper),
                       Text(rows, kStorekeeperName), std::move(last), next});
    }
}

bool DueCheckReader::AtEnd() const {
    return !rows_ || rows_->Eof();
}

bool DueCheckReader::Failed() const {
    return !rows_ || (rows_->Eof() && !rows_->IsOpen());
}

std::vector<DueCheck> ReadDueChecks(zel::IClsCommon& db, const std::string& query, bool& ok) {
    DueCheckReader reader(db, query);
    std::vector<DueCheck> due;
    while (!reader.AtEnd()) {
        reader.ReadSome(std::numeric_limits<std::size_t>::max(), due);
    }
    ok = !reader.Failed();
    if (!ok) {
        due.clear();
    }
    return due;
}

DueCheckCaptions DueCheckCaptionsOf(zel::IPub& pub) {
    DueCheckCaptions captions;
    for (const char* key : kCaptionKeys) {
        captions.columns.push_back(pub.GetResString(key));
    }
    captions.neverCounted = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.DUE.never");
    captions.unreadableLastCheck = pub.GetResString("Zel.AA.WHINVCONTRAPOSE.DUE.unreadable_last");
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
    const bool planned = row.next.state == NextCheck::State::kPlanned;
    const std::string storekeeper = row.storekeeperCode.empty()
                                        ? std::string()
                                        : row.storekeeperCode + " " + row.storekeeperName;
    const std::string& dueAtOnce = row.next.state == NextCheck::State::kNeverCounted
                                       ? captions.neverCounted
                                       : captions.unreadableLastCheck;
    return {row.warehouseCode,
            row.warehouseName,
            row.inventoryCode,
            row.inventoryName,
            storekeeper,
            row.lastCheck,
            planned ? CheckDateText(row.next.date) : dueAtOnce,
            planned ? std::to_string(DaysOverdue(row.next.date, asOf)) : std::string()};
}

}  // namespace korvel
