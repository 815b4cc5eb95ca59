#include "setaside/set_aside_store.h"

#include "core/text_case.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

constexpr const char* kSideTable = "WhInvContrapose_set_aside";
constexpr const char* kNoticeTable = "whinv_set_aside_notice";
constexpr const char* kIdentityColumn = "whinv_identity";

// The columns the upgrade adds beside the row's own.
constexpr std::string_view kSetAsideColumns[] = {"cSetAsideReason", "dSetAside", "iSetAsideFrom"};

bool IsSetAsideColumn(std::string_view column) {
    for (const std::string_view added : kSetAsideColumns) {
        if (EqualsNoCase(column, added)) {
            return true;
        }
    }
    return column == kIdentityColumn;
}

std::optional<std::string> TextOf(const zel::IRecordset& rows, int index) {
    const auto value = rows.Fields(index);
    if (!value || value->IsNull()) {
        return std::nullopt;
    }
    return value->ToString();
}

SetAsideRow RowAt(const zel::IRecordset& rows) {
    SetAsideRow row;
    for (int index = 0; index < rows.FieldCount(); ++index) {
        const std::string column = rows.FieldName(index);
        std::optional<std::string> value = TextOf(rows, index);
        if (column == kIdentityColumn) {
            row.identity = value.value_or("");
        } else if (EqualsNoCase(column, "cSetAsideReason")) {
            row.reason = value.value_or("");
        } else if (EqualsNoCase(column, "dSetAside")) {
            row.setAsideAt = value.value_or("");
        } else if (!IsSetAsideColumn(column)) {
            row.values.emplace_back(column, std::move(value));
        }
    }
    return row;
}

}  // namespace

std::optional<std::string> SetAsideRow::ValueOf(std::string_view column) const {
    for (const auto& [name, value] : values) {
        if (EqualsNoCase(name, column)) {
            return value;
        }
    }
    return std::nullopt;
}

// The rights name warehouses by code and items by number (Warehouse.CWhCode, Inventory.iId):
// each is tested on a one-row table of that name made from the side row, so that a warehouse
// that is gone is judged by its code alone, and an item that is gone has no number that any
// right could name. The condition is the same text the main list appends; on a server the side
// table's own policies stay the guard.
std::string SetAsideReadCondition(const LoginContext& login) {
    const std::string side = kSideTable;
    return "exists (select 1 from (select " + side + ".cWhCode as CWhCode) Warehouse where " +
           login.sAuthWh + ") and exists (select 1 from (select (select Inventory.iId from " +
           "Inventory where " + side + ".cInvCode = Inventory.cInvCode) as iId) Inventory " +
           "where " + login.sAuthInv + ")";
}

SetAsideStore::SetAsideStore(const LoginContext& login)
    : db_(*login.db),
      readable_(SetAsideReadCondition(login)),
      readsEveryRow_(login.sAuthWh == kEveryRowCondition && login.sAuthInv == kEveryRowCondition) {}

bool SetAsideStore::Holds(const char* table) {
    const auto answer = db_.OpenX(std::string("select case when object_id(") + SqlQuoted(table) +
                                  ") is null then 0 else 1 end");
    const auto value = answer && !answer->Eof() ? answer->Fields(0) : nullptr;
    return value && !value->IsNull() && value->ToString() == "1";
}

long SetAsideStore::UntoldRows() {
    if (!Holds(kNoticeTable)) {
        return 0;
    }
    const auto rows = db_.OpenX(std::string("select iRows from ") + kNoticeTable);
    if (!rows || rows->Eof()) {
        return 0;
    }
    const auto value = rows->Fields(0);
    return value && !value->IsNull() ? std::stol(value->ToString()) : 0;
}

bool SetAsideStore::ForgetNotice() {
    return db_.ExecuteX(std::string("delete from ") + kNoticeTable);
}

// rowid is the host's name for the engine's own identity of a row: the side table has no key of
// its own, for it keeps rows whose keys were refused.
std::optional<std::vector<SetAsideRow>> SetAsideStore::ReadRows() {
    std::vector<SetAsideRow> list;
    if (!Holds(kSideTable)) {
        return list;
    }
    const auto rows =
        db_.OpenX(std::string("select cast(rowid as varchar(40)) as ") + kIdentityColumn +
                  ", * from " + kSideTable + " where " + readable_ + " order by dSetAside, rowid");
    if (!rows) {
        return std::nullopt;
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        list.push_back(RowAt(*rows));
    }
    return list;
}

bool SetAsideStore::Remove(const SetAsideRow& row) {
    return db_.ExecuteX(std::string("delete from ") + kSideTable +
                        " where cast(rowid as varchar(40)) = " + SqlQuoted(row.identity));
}

}  // namespace korvel
