#include "host/database/account_database.h"

#include "host/database/embedded_script.h"
#include "host/database/postgres/postgres_backend.h"
#include "host/database/sqlite/sqlite_backend.h"

namespace zel {
namespace {

// Schema and seed in one transaction: an account is made whole or not at all.
bool RunAccountScripts(SqlBackend& backend, const char* schemaName, std::string& error) {
    std::string schema;
    std::string seed;
    if (!ReadEmbeddedScript(schemaName, schema, error) ||
        !ReadEmbeddedScript(":/host/schema/seed.sql", seed, error)) {
        return false;
    }
    if (!backend.Begin() || !backend.ExecuteScript(schema) || !backend.ExecuteScript(seed) ||
        !backend.Commit()) {
        error = backend.LastError();
        backend.Rollback();
        return false;
    }
    return true;
}

}  // namespace

bool CreateAccountDatabase(const std::string& path, std::string& error) {
    SqliteBackend backend;
    if (!backend.Create(path)) {
        error = backend.LastError();
        return false;
    }
    return RunAccountScripts(backend, ":/host/schema/sqlite.sql", error);
}

bool CreateServerAccount(const std::string& conninfo, std::string& error) {
    PostgresBackend backend;
    if (!backend.Connect(conninfo)) {
        error = backend.LastError();
        return false;
    }
    return RunAccountScripts(backend, ":/host/schema/postgresql.sql", error);
}

bool AddLoginAsAdministrator(PostgresBackend& backend) {
    return backend.ExecuteScript(
        "insert into aa_user (cUserId, cUserName, bAdmin) "
        "values (session_user::text, session_user::text, 1) "
        "on conflict (cUserId) do update set bAdmin = 1");
}

}  // namespace zel
