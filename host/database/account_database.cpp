#include "host/database/account_database.h"

#include "host/database/embedded_script.h"
#include "host/database/sqlite_backend.h"

namespace zel {

bool CreateAccountDatabase(const std::string& path, std::string& error) {
    std::string schema;
    std::string seed;
    if (!ReadEmbeddedScript(":/host/schema/sqlite.sql", schema, error) ||
        !ReadEmbeddedScript(":/host/schema/seed.sql", seed, error)) {
        return false;
    }
    SqliteBackend backend;
    if (!backend.Create(path)) {
        error = backend.LastError();
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

}  // namespace zel
