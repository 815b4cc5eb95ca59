#include "host/database/sqlite/schema_objects.h"

#include <sqlite3.h>

#include "host/database/sqlite/upgrade_statements.h"

namespace zel {

using upgrade_statements::Execute;
using upgrade_statements::Quoted;
using upgrade_statements::Rows;

std::optional<SchemaObjects> SchemaObjects::MadeBy(const std::string& script, std::string& error) {
    sqlite3* scratch = nullptr;
    if (sqlite3_open(":memory:", &scratch) != SQLITE_OK) {
        error = scratch != nullptr ? sqlite3_errmsg(scratch) : "out of memory";
        sqlite3_close(scratch);
        return std::nullopt;
    }
    std::optional<SchemaObjects> made;
    if (Execute(scratch, script, error)) {
        made = Of(scratch);
    }
    sqlite3_close(scratch);
    return made;
}

SchemaObjects SchemaObjects::Of(sqlite3* db) {
    SchemaObjects objects;
    for (const auto& row :
         Rows(db, "select type, name, sql from sqlite_master where sql is not null")) {
        objects.statements_[{row[0], row[1]}] = row[2];
    }
    return objects;
}

bool SchemaObjects::HasTablesOf(const SchemaObjects& current) const {
    for (const auto& [key, statement] : current.statements_) {
        if (key.first != "table") {
            continue;
        }
        const auto here = statements_.find(key);
        if (here == statements_.end() || here->second != statement) {
            return false;
        }
    }
    return true;
}

bool SchemaObjects::DropAllButThoseOf(sqlite3* db, const SchemaObjects& current,
                                      std::string& error) const {
    for (const auto& [key, statement] : statements_) {
        if (key.first == "table") {
            continue;
        }
        const auto made = current.statements_.find(key);
        const bool kept = made != current.statements_.end() && made->second == statement;
        if (!kept && !Execute(db, "drop " + key.first + " " + Quoted(key.second), error)) {
            return false;
        }
    }
    return true;
}

}  // namespace zel
