#include "host/database/sqlite/upgrade_statements.h"

#include <sqlite3.h>

#include "host/objects/host_text.h"

namespace zel::upgrade_statements {

bool Execute(sqlite3* db, const std::string& sql, std::string& error) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK) {
        return true;
    }
    error = message != nullptr ? message : sqlite3_errmsg(db);
    sqlite3_free(message);
    return false;
}

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

}  // namespace zel::upgrade_statements
