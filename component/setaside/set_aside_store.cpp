#include "setaside/set_aside_store.h"

#include "core/text_case.h"
#include "core/text_escaping.h"

namespace korvel {
namespace {

constexpr const char* kSideTable = "WhInvContrapose_set_aside";
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

long SetAsideStore::UntoldRows() {
    const auto rows = db_.OpenX("select iRows from whinv_set_aside_notice");
    if (!rows || rows->Eof()) {
        return 0;
    }
    const auto value = rows->Fields(0);
    return value && !value->IsNull() ? std::stol(value->ToString()) : 0;
}

bool SetAsideStore::ForgetNotice() {
    return db_.ExecuteX("delete from whinv_set_aside_notice");
}

// The component speaks one dialect to both engines, which name a row's own identity
// differently; the side table has no key of its own, for it keeps rows whose keys were refused.
const std::string& SetAsideStore::RowIdentity() {
    if (!rowIdentity_) {
        rowIdentity_ = "";
        for (const char* identity : {"rowid", "ctid"}) {
            if (db_.OpenX(std::string("select ") + identity + " from " + kSideTable +
                          " where 1 = 0")) {
                rowIdentity_ = identity;
                break;
            }
        }
    }
    return *rowIdentity_;
}

std::optional<std::vector<SetAsideRow>> SetAsideStore::ReadRows() {
    std::vector<SetAsideRow> list;
    const std::string& identity = RowIdentity();
    if (identity.empty()) {
        return list;
    }
    const auto rows =
        db_.OpenX("select cast(" + identity + " as varchar(40)) as " + kIdentityColumn +
                  ", * from " + kSideTable + " order by dSetAside, " + identity);
    if (!rows) {
        return std::nullopt;
    }
    for (; !rows->Eof(); rows->MoveNext()) {
        list.push_back(RowAt(*rows));
    }
    return list;
}

bool SetAsideStore::Remove(const SetAsideRow& row) {
    const std::string& identity = RowIdentity();
    return !identity.empty() &&
           db_.ExecuteX(std::string("delete from ") + kSideTable + " where cast(" + identity +
                        " as varchar(40)) = " + SqlQuoted(row.identity));
}

}  // namespace korvel
