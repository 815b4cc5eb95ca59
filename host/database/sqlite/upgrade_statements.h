#pragma once

#include <string>
#include <vector>

struct sqlite3;

namespace zel::upgrade_statements {

using Row = std::vector<std::string>;

// false with the engine's reason in error.
bool Execute(sqlite3* db, const std::string& sql, std::string& error);

// Every row of a query, its values as texts (NULL as empty); none when the query fails.
std::vector<Row> Rows(sqlite3* db, const std::string& sql);

// A table's or column's name as SQL names it, whatever characters it holds.
std::string Quoted(const std::string& name);

struct Column {
    std::string name;
    bool nullable;
};

// The stored columns of a table, in their declared order (generated columns are left out).
std::vector<Column> Columns(sqlite3* db, const std::string& table);

bool HasColumn(const std::vector<Column>& columns, const std::string& name);

}  // namespace zel::upgrade_statements
