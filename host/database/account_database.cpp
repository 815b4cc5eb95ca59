#include "host/database/account_database.h"

#include <QFile>

#include "host/database/sqlite_backend.h"

namespace zel {
namespace {

bool ReadResource(const char* name, std::string& text, std::string& error) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        error = std::string("missing embedded ") + name;
        return false;
    }
    text = file.readAll().toStdString();
    return true;
}

}  // namespace

bool CreateAccountDatabase(const std::string& path, std::string& error) {
    std::string schema;
    std::string seed;
    if (!ReadResource(":/host/schema/sqlite.sql", schema, error) ||
        !ReadResource(":/host/schema/seed.sql", seed, error)) {
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
