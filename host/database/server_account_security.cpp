#include "host/database/server_account_security.h"

#include "host/database/account_database.h"
#include "host/database/database_texts.h"
#include "host/database/embedded_script.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/postgres/postgres_schema_upgrade.h"
#include "host/database/single_value.h"

namespace zel {
namespace {

// What the login may do that setting up the rights needs, read from the server's catalogue.
struct LoginPrivileges {
    std::string login;
    bool createsRoles = false;
    // The tables of the account's schema that the login does not own, comma separated.
    std::string tablesOwnedByOthers;
};

std::optional<LoginPrivileges> ReadPrivileges(PostgresBackend& backend) {
    const auto statement = backend.Prepare(
        "select current_user, rolsuper or rolcreaterole, "
        "(select string_agg(relname, ', ' order by relname) from pg_class "
        " where relnamespace = current_schema()::regnamespace and relkind in ('r', 'p') "
        " and not pg_has_role(relowner, 'USAGE') and not rolsuper) "
        "from pg_roles where rolname = current_user");
    if (!statement || statement->Step() != StepResult::Row) {
        return std::nullopt;
    }
    LoginPrivileges privileges;
    privileges.login = std::string(statement->ColumnText(0));
    privileges.createsRoles = statement->ColumnText(1) == "t";
    privileges.tablesOwnedByOthers = std::string(statement->ColumnText(2));
    statement->Step();
    return privileges;
}

// The missing privilege and what to do about it; empty when the login has what it needs.
std::string MissingPrivilege(const LoginPrivileges& privileges) {
    if (!privileges.createsRoles) {
        return DatabaseTexts::FormatWhole("Zel.HOST.DB.secure_needs_createrole",
                                          {privileges.login});
    }
    if (!privileges.tablesOwnedByOthers.empty()) {
        return DatabaseTexts::FormatWhole("Zel.HOST.DB.secure_not_owner",
                                          {privileges.login, privileges.tablesOwnedByOthers});
    }
    return {};
}

// The role names reach the rights script as settings of the transaction, which the script
// quotes where it names them: a database name never becomes SQL text of its own.
bool SetRoleNames(PostgresBackend& backend, const AccountRoles& roles) {
    const auto statement = backend.Prepare(
        "select set_config('whinv.users_role', ?, true), "
        "set_config('whinv.admins_role', ?, true)");
    if (!statement || !statement->BindText(1, roles.users) ||
        !statement->BindText(2, roles.admins) || statement->Step() != StepResult::Row) {
        return false;
    }
    statement->Step();
    return true;
}

// The schema version of the account; none for a database without the account's tables.
struct AccountSchemaVersion {
    bool read = false;
    std::optional<int> value;
};

AccountSchemaVersion AccountVersion(PostgresBackend& backend) {
    const auto made = ReadSingleValue(
        backend, "select count(*) from pg_class where oid = to_regclass('whinv_schema')", {});
    if (!made.read || !made.value || made.value->ToString() != "1") {
        return {made.read, std::nullopt};
    }
    const auto version = ReadSingleValue(backend, "select version from whinv_schema", {});
    if (!version.read || !version.value) {
        return {version.read, std::nullopt};
    }
    return {true, static_cast<int>(version.value->ToDouble().value_or(0))};
}

bool RunRights(PostgresBackend& backend, std::string& error) {
    std::string schema;
    std::string rights;
    if (!ReadEmbeddedScript(":/host/schema/postgresql.sql", schema, error) ||
        !ReadEmbeddedScript(":/host/schema/postgresql_rights.sql", rights, error)) {
        return false;
    }
    const auto database = ReadSingleValue(backend, "select current_database()", {});
    const auto privileges = ReadPrivileges(backend);
    if (!database.read || !database.value || !privileges) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.secure_failed", {backend.LastError()});
        return false;
    }
    error = MissingPrivilege(*privileges);
    if (!error.empty()) {
        return false;
    }
    // An account an earlier program made is upgraded as its opening would, which the script
    // alone cannot do: the rights are set on the account as it is from now on.
    const auto version = AccountVersion(backend);
    if (version.value > PostgresSchemaUpgrade::kVersion) {
        error = DatabaseTexts::FormatWhole(
            "Zel.HOST.DB.schema_newer", {database.value->ToString(), std::to_string(*version.value),
                                         std::to_string(PostgresSchemaUpgrade::kVersion)});
        return false;
    }
    if (!version.read ||
        !PostgresSchemaUpgrade::RunScript(
            backend, version.value.value_or(PostgresSchemaUpgrade::kVersion), schema) ||
        !SetRoleNames(backend, AccountRolesOf(database.value->ToString())) ||
        !backend.ExecuteScript(rights) || !AddLoginAsAdministrator(backend)) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.secure_failed", {backend.LastError()});
        return false;
    }
    return true;
}

}  // namespace

AccountRoles AccountRolesOf(std::string_view databaseName) {
    const std::string prefix = "whinv_" + std::string(databaseName);
    return {prefix + "_users", prefix + "_admins"};
}

// One transaction: roles, grants and policies come all together or not at all.
bool SecureServerAccount(PostgresBackend& backend, std::string& error) {
    error.clear();
    if (!backend.Begin()) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.secure_failed", {backend.LastError()});
        return false;
    }
    if (!RunRights(backend, error)) {
        backend.Rollback();
        return false;
    }
    if (!backend.Commit()) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.DB.secure_failed", {backend.LastError()});
        backend.Rollback();
        return false;
    }
    return true;
}

bool PoliciesUseIndexes(PostgresBackend& backend) {
    const auto leakproof =
        ReadSingleValue(backend,
                        "select bool_and(proleakproof)::int from pg_proc where oid in "
                        "(to_regprocedure('citext_eq(citext, citext)'), "
                        "to_regprocedure('citext_ne(citext, citext)'))",
                        {});
    return leakproof.read && leakproof.value && leakproof.value->ToDouble() == 1.0;
}

}  // namespace zel
