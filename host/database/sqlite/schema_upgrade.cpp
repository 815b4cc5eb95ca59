#include "host/database/sqlite/schema_upgrade.h"

#include <sqlite3.h>

#include <algorithm>
#include <vector>

#include "host/database/database_texts.h"
#include "host/database/embedded_script.h"
#include "host/database/sql_tokenizer.h"
#include "host/database/sqlite/legacy_text_collation.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

using Row = std::vector<std::string>;

constexpr const char* kOldSuffix = "_before_upgrade";

bool Execute(sqlite3* db, const std::string& sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) {
        return true;
    }
    error = message != nullptr ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

// Every row of a query, its values as texts (NULL as empty).
std::vector<Row> Rows(sqlite3* db, const std::string& sql) {
    std::vector<Row> rows;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        Row row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            row.emplace_back(text != nullptr ? text : "");
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    return rows;
}

std::string Quoted(const std::string& name) {
    std::string quoted = "\"";
    for (const char c : name) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
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

struct Column {
    std::string name;
    bool nullable;
};

std::vector<Column> Columns(sqlite3* db, const std::string& table) {
    std::vector<Column> columns;
    for (const auto& row : Rows(db, "pragma table_info(" + Quoted(table) + ")")) {
        columns.push_back({row[1], row[3] == "0"});
    }
    return columns;
}

bool HasColumn(const std::vector<Column>& columns, const std::string& name) {
    for (const auto& column : columns) {
        if (AsciiEqualIgnoringCase(column.name, name)) {
            return true;
        }
    }
    return false;
}

// Whether the current schema declares rules of the table's values. Other writers may have left
// blanks where the host writes NULL; a blank would break such a rule (a unit, a reference), and
// means no value.
bool HasChecks(sqlite3* db, const std::string& table) {
    std::string name;
    for (const char c : table) {
        name += c == '\'' ? std::string("''") : std::string(1, c);
    }
    const auto declaration =
        Rows(db, "select sql from sqlite_master where type = 'table' and name = '" + name + "'");
    if (declaration.empty()) {
        return false;
    }
    const auto tokens = SqlTokenizer::Tokenize(declaration.front().front());
    return std::any_of(tokens.begin(), tokens.end(),
                       [](const SqlToken& token) { return token.IsWord("check"); });
}

// The columns both tables have, and what the new one receives for each. Codes lose their
// trailing blanks through the new table's own triggers.
bool CopyRows(sqlite3* db, const std::string& table, std::string& error) {
    const std::string old = table + kOldSuffix;
    const auto oldColumns = Columns(db, old);
    const bool ruled = HasChecks(db, table);
    std::string names;
    std::string values;
    for (const auto& column : Columns(db, table)) {
        if (!HasColumn(oldColumns, column.name)) {
            continue;
        }
        const std::string name = Quoted(column.name);
        names += (names.empty() ? "" : ", ") + name;
        values += values.empty() ? "" : ", ";
        values += ruled && column.nullable
                      ? "case when trim(" + name + ") = '' then null else " + name + " end"
                      : name;
    }
    return Execute(db,
                   "insert into " + Quoted(table) + " (" + names + ") select " + values + " from " +
                       Quoted(old) + " order by rowid",
                   error);
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
bool MoveRows(sqlite3* db, const std::vector<std::string>& tables, std::string& error) {
    const auto current = Tables(db);
    for (const auto& table : tables) {
        bool known = false;
        for (const auto& name : current) {
            known = known || name == table;
        }
        const std::string old = Quoted(table + kOldSuffix);
        const bool moved =
            known ? CopyRows(db, table, error) && Execute(db, "drop table " + old, error)
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

bool Upgrade(sqlite3* db, const std::string& schema, std::string& error) {
    // Another program may have upgraded the file while this one waited for the write lock.
    if (UserVersion(db) == SchemaUpgrade::kVersion) {
        return true;
    }
    const auto tables = Tables(db);
    return RenameOldTables(db, tables, error) && Execute(db, schema, error) &&
           DropHistoryTriggers(db, error) && MoveRows(db, tables, error) &&
           Execute(db, schema, error) && ReferencesHold(db, error);
}

}  // namespace

bool SchemaUpgrade::Run(sqlite3* db, std::string& error) {
    const int version = UserVersion(db);
    if (version == kVersion || (version == 0 && Tables(db).empty())) {
        return true;
    }
    if (version > kVersion) {
        error = DatabaseTexts::Format(
            "Zel.HOST.DB.schema_newer",
            {sqlite3_db_filename(db, "main"), std::to_string(version), std::to_string(kVersion)});
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
    // Foreign keys are checked once, over the whole result: dropping an old table must not
    // touch the rows that refer to it.
    if (!Execute(db, "pragma foreign_keys = off; begin immediate", error)) {
        return false;
    }
    if (Upgrade(db, schema, error) && Execute(db, "commit", error)) {
        return true;
    }
    const std::string reason =
        DatabaseTexts::Format("Zel.HOST.DB.schema_upgrade_failed",
                              {sqlite3_db_filename(db, "main"), std::to_string(version),
                               std::to_string(kVersion), error});
    sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
    error = reason;
    return false;
}

}  // namespace zel
