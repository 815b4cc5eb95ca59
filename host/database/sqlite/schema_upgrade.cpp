#include "host/database/sqlite/schema_upgrade.h"

#include <sqlite3.h>

#include <algorithm>
#include <set>
#include <vector>

#include "host/database/database_texts.h"
#include "host/database/embedded_script.h"
#include "host/database/sqlite/legacy_text_collation.h"
#include "host/database/sqlite/schema_objects.h"
#include "host/database/sqlite/table_copy.h"
#include "host/database/sqlite/upgrade_statements.h"

namespace zel {
namespace {

using upgrade_statements::Execute;
using upgrade_statements::Quoted;
using upgrade_statements::Row;
using upgrade_statements::Rows;

constexpr const char* kOldSuffix = "_before_upgrade";

std::string Setting(sqlite3* db, const std::string& pragma) {
    const auto rows = Rows(db, "pragma " + pragma);
    return rows.empty() ? std::string("0") : rows.front().front();
}

int UserVersion(sqlite3* db) {
    const auto rows = Rows(db, "pragma user_version");
    return rows.empty() ? 0 : std::stoi(rows.front().front());
}

std::vector<std::string> Tables(sqlite3* db) {
    std::vector<std::string> names;
    for (const auto& row : Rows(db,
                                "select name from sqlite_master where type = 'table' and "
                                "name not like 'sqlite\\_%' escape '\\'")) {
        names.push_back(row.front());
    }
    return names;
}

// Each table after the tables the current schema makes it refer to, so that a row's reference
// is checked against its parent's rows as the upgrade keeps them.
void PutParentsFirst(sqlite3* db, const std::string& table, const std::vector<std::string>& tables,
                     std::set<std::string>& seen, std::vector<std::string>& ordered) {
    if (!seen.insert(table).second) {
        return;
    }
    for (const auto& row : Rows(db, "pragma foreign_key_list(" + Quoted(table) + ")")) {
        if (std::find(tables.begin(), tables.end(), row[2]) != tables.end()) {
            PutParentsFirst(db, row[2], tables, seen, ordered);
        }
    }
    ordered.push_back(table);
}

std::vector<std::string> ParentsFirst(sqlite3* db, const std::vector<std::string>& tables) {
    std::set<std::string> seen;
    std::vector<std::string> ordered;
    for (const auto& table : tables) {
        PutParentsFirst(db, table, tables, seen, ordered);
    }
    return ordered;
}

bool RenameOldTables(sqlite3* db, const std::vector<std::string>& tables, std::string& error) {
    // Their indexes and triggers would hold the names the new schema gives its own.
    for (const auto& row : Rows(db,
                                "select type, name from sqlite_master where "
                                "type in ('index', 'trigger') and sql is not null")) {
        if (!Execute(db, "drop " + row[0] + " " + Quoted(row[1]), error)) {
            return false;
        }
    }
    for (const auto& table : tables) {
        if (!Execute(db,
                     "alter table " + Quoted(table) + " rename to " + Quoted(table + kOldSuffix),
                     error)) {
            return false;
        }
    }
    return true;
}

// Rows of the old tables in the new ones; a table the current schema does not know is kept.
bool MoveRows(sqlite3* db, const std::vector<std::string>& tables, TableCopy& copy,
              std::string& error) {
    const auto current = Tables(db);
    for (const auto& table : ParentsFirst(db, tables)) {
        bool known = false;
        for (const auto& name : current) {
            known = known || name == table;
        }
        const std::string old = Quoted(table + kOldSuffix);
        const bool moved =
            known ? copy.Copy(table, table + kOldSuffix, error) &&
                        Execute(db, "drop table " + old, error)
                  : Execute(db, "alter table " + old + " rename to " + Quoted(table), error);
        if (!moved) {
            return false;
        }
    }
    return true;
}

bool ReferencesHold(sqlite3* db, std::string& error) {
    const auto broken = Rows(db, "pragma foreign_key_check");
    if (broken.empty()) {
        return true;
    }
    const Row& first = broken.front();
    error = "row " + first[1] + " of " + first[0] + " refers to a missing row of " + first[2] +
            " (" + std::to_string(broken.size()) + " such rows)";
    return false;
}

// Rows moved into the new tables are no change of theirs: the history triggers come back with
// the schema once the rows are in.
bool DropHistoryTriggers(sqlite3* db, std::string& error) {
    for (const auto& row : Rows(db,
                                "select name from sqlite_master where type = 'trigger' and "
                                "name like '%\\_history\\_%' escape '\\'")) {
        if (!Execute(db, "drop trigger " + Quoted(row.front()), error)) {
            return false;
        }
    }
    return true;
}

// The rows set aside and not yet told to a user, whichever upgrade set them aside.
bool NoteSetAside(sqlite3* db, int rows, std::string& error) {
    return rows == 0 ||
           Execute(db,
                   "create table if not exists whinv_set_aside_notice (iOne integer primary key "
                   "check (iOne = 1), iRows integer not null);"
                   "insert into whinv_set_aside_notice (iOne, iRows) values (1, " +
                       std::to_string(rows) +
                       ") on conflict (iOne) do update set iRows = iRows + excluded.iRows",
                   error);
}

std::string Now(sqlite3* db) {
    const auto rows = Rows(db, "select datetime('now', 'localtime')");
    return rows.empty() ? std::string() : rows.front().front();
}

bool Upgrade(sqlite3* db, const std::string& schema, std::string& error) {
    const int version = UserVersion(db);
    // Another program may have upgraded the file while this one waited for the write lock.
    if (version == SchemaUpgrade::kVersion) {
        return true;
    }
    // A file whose tables the schema makes as they are keeps its rows where they are: only the
    // indexes and triggers it now makes otherwise are made again, and those it no longer makes
    // go, as they do when every table is copied. On a file of a million rows that takes seconds,
    // where copying every table took half a minute.
    const auto current = SchemaObjects::MadeBy(schema, error);
    if (!current) {
        return false;
    }
    if (const SchemaObjects held = SchemaObjects::Of(db); held.HasTablesOf(*current)) {
        return held.DropAllButThoseOf(db, *current, error) && Execute(db, schema, error);
    }
    const auto tables = Tables(db);
    TableCopy copy(db, version, Now(db));
    return RenameOldTables(db, tables, error) && Execute(db, schema, error) &&
           DropHistoryTriggers(db, error) && MoveRows(db, tables, copy, error) &&
           NoteSetAside(db, copy.SetAside(), error) && Execute(db, schema, error) &&
           ReferencesHold(db, error);
}

}  // namespace

bool SchemaUpgrade::Run(sqlite3* db, std::string& error) {
    const int version = UserVersion(db);
    if (version == kVersion || (version == 0 && Tables(db).empty())) {
        return true;
    }
    if (version > kVersion) {
        error = DatabaseTexts::FormatWhole(
            "Zel.HOST.DB.schema_newer",
            {sqlite3_db_filename(db, "main"), std::to_string(version), std::to_string(kVersion)});
        return false;
    }
    if (!HasAccountTables(db)) {
        error = DatabaseTexts::FormatWhole("Zel.HOST.OPEN.not_an_account",
                                           {sqlite3_db_filename(db, "main")});
        return false;
    }
    std::string schema;
    if (!ReadEmbeddedScript(":/host/schema/sqlite.sql", schema, error)) {
        return false;
    }
    if (!RegisterLegacyTextCollation(db)) {
        error = "cannot register the collation hosttext";
        return false;
    }
    // A table with rows to set aside is copied a row at a time, each insert with a statement
    // journal of its own: kept in memory with the tables' pages, this costs a fraction of the
    // writes to temporary files. The connection's own settings come back afterwards.
    const std::string restore = "pragma temp_store = " + Setting(db, "temp_store") +
                                "; pragma cache_size = " + Setting(db, "cache_size");
    // Foreign keys are checked once, over the whole result: dropping an old table must not
    // touch the rows that refer to it.
    if (!Execute(db,
                 "pragma foreign_keys = off; pragma temp_store = memory; "
                 "pragma cache_size = -65536; begin immediate",
                 error)) {
        return false;
    }
    if (Upgrade(db, schema, error) && Execute(db, "commit", error)) {
        Execute(db, restore, error);
        return true;
    }
    const std::string reason =
        DatabaseTexts::FormatWhole("Zel.HOST.DB.schema_upgrade_failed",
                                   {sqlite3_db_filename(db, "main"), std::to_string(version),
                                    std::to_string(kVersion), error});
    sqlite3_exec(db, ("rollback; " + restore).c_str(), nullptr, nullptr, nullptr);
    error = reason;
    return false;
}

bool SchemaUpgrade::HasAccountTables(sqlite3* db) {
    const auto rows = Rows(db,
                           "select count(*) from sqlite_master where type = 'table' and "
                           "lower(name) in ('aa_user', 'whinvcontrapose')");
    return !rows.empty() && rows.front().front() == "2";
}

}  // namespace zel
