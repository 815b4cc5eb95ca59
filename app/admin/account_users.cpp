#include "app/admin/account_users.h"

#include <cctype>

#include "host/database/single_value.h"
#include "host/database/sql_backend.h"

namespace zel {
namespace {

// An empty id matches every user.
constexpr const char* kUsers =
    "select cUserId, cUserName, bAdmin from aa_user where (? = '' or cUserId = ?) "
    "order by cUserId";
constexpr const char* kGrants =
    "select cUserId, cBusObCode, cACCode, cRight from aa_rowauth where (? = '' or cUserId = ?) "
    "order by cUserId, cBusObCode, cACCode, cRight";

std::optional<bool> Exists(SqlBackend& backend, const std::string& sql, const std::string& value) {
    const SingleValue found = ReadSingleValue(backend, sql, {value});
    if (!found.read) {
        return std::nullopt;
    }
    return found.value.has_value();
}

// Runs a query bound to the user id twice (see kUsers), handing each row to take.
template <typename Take>
bool ReadRows(SqlBackend& backend, const char* sql, const std::string& id, Take take) {
    const auto statement = backend.Prepare(sql);
    if (!statement || !statement->BindText(1, id) || !statement->BindText(2, id)) {
        return false;
    }
    StepResult step;
    while ((step = statement->Step()) == StepResult::Row) {
        take(*statement);
    }
    return step == StepResult::Done;
}

}  // namespace

std::optional<bool> AccountUsers::HasUser(const std::string& id) {
    return Exists(backend_, "select 1 from aa_user where cUserId = ?", id);
}

std::optional<bool> AccountUsers::HasCode(const GrantObject& object, const std::string& code) {
    return Exists(
        backend_,
        std::string("select 1 from ") + object.table + " where " + object.codeColumn + " = ?",
        code);
}

bool AccountUsers::Change(const char* sql, const std::vector<Variant>& values) {
    const auto statement = backend_.Prepare(sql);
    return statement && statement->Run(values);
}

bool AccountUsers::SaveUser(const UserRow& user) {
    return Change(
        "insert into aa_user (cUserId, cUserName, bAdmin) values (?, ?, ?) on conflict (cUserId) "
        "do update set cUserName = excluded.cUserName, bAdmin = excluded.bAdmin",
        {user.id, user.name, user.admin ? 1 : 0});
}

bool AccountUsers::RemoveUser(const std::string& id, long& grants) {
    if (!Change("delete from aa_rowauth where cUserId = ?", {id})) {
        return false;
    }
    grants = backend_.Changes();
    return Change("delete from aa_user where cUserId = ?", {id});
}

bool AccountUsers::SetGrant(const RowGrant& grant) {
    bool removed = false;
    return RemoveGrant(grant, removed) &&
           Change(
               "insert into aa_rowauth (cUserId, cBusObCode, cACCode, cRight) values (?, ?, ?, ?)",
               {grant.userId, grant.busObCode, grant.code, std::string(1, grant.right)});
}

bool AccountUsers::RemoveGrant(const RowGrant& grant, bool& removed) {
    if (!Change("delete from aa_rowauth where cUserId = ? and cBusObCode = ? and cACCode = ?",
                {grant.userId, grant.busObCode, grant.code})) {
        return false;
    }
    removed = backend_.Changes() > 0;
    return true;
}

std::optional<std::vector<UserRow>> AccountUsers::Users(const std::string& id) {
    std::vector<UserRow> users;
    const bool read = ReadRows(backend_, kUsers, id, [&users](const SqlStatement& row) {
        users.push_back({std::string(row.ColumnText(0)), std::string(row.ColumnText(1)),
                         row.ColumnInteger(2) != 0});
    });
    return read ? std::optional(std::move(users)) : std::nullopt;
}

std::optional<std::vector<RowGrant>> AccountUsers::Grants(const std::string& id) {
    std::vector<RowGrant> grants;
    const bool read = ReadRows(backend_, kGrants, id, [&grants](const SqlStatement& row) {
        const std::string_view right = row.ColumnText(3);
        grants.push_back({std::string(row.ColumnText(0)), std::string(row.ColumnText(1)),
                          std::string(row.ColumnText(2)),
                          static_cast<char>(std::toupper(right.empty() ? 'R' : right.front()))});
    });
    return read ? std::optional(std::move(grants)) : std::nullopt;
}

}  // namespace zel
