#include "host/database/column_catalogue.h"

#include <sqlite3.h>

#include "host/database/embedded_script.h"
#include "host/objects/host_text.h"

namespace zel {
namespace {

std::string Key(std::string_view table, std::string_view column) {
    return AsciiLower(table) + "." + AsciiLower(column);
}

std::string TextOf(sqlite3_stmt* statement, int column) {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
    return text != nullptr ? text : "";
}

// The schema is run on an empty in-memory database, whose own catalogue then tells every
// table's columns as declared.
template <typename Each>
void ReadSchema(Each each) {
    std::string script;
    std::string error;
    sqlite3* database = nullptr;
    if (!ReadEmbeddedScript(":/host/schema/sqlite.sql", script, error) ||
        sqlite3_open(":memory:", &database) != SQLITE_OK ||
        sqlite3_exec(database, script.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(database);
        return;
    }
    sqlite3_stmt* statement = nullptr;
    const char* sql =
        "select m.name, c.name, c.type from sqlite_master m, pragma_table_info(m.name) c "
        "where m.type = 'table'";
    if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            each(ColumnCatalogue::Column{TextOf(statement, 0), TextOf(statement, 1),
                                         TextOf(statement, 2)});
        }
    }
    sqlite3_finalize(statement);
    sqlite3_close(database);
}

}  // namespace

const ColumnCatalogue& ColumnCatalogue::OfSchema() {
    static const ColumnCatalogue catalogue = [] {
        ColumnCatalogue built;
        ReadSchema([&](Column column) { built.Add(std::move(column)); });
        return built;
    }();
    return catalogue;
}

void ColumnCatalogue::Add(Column column) {
    spellings_.emplace(AsciiLower(column.table), column.table);
    spellings_.emplace(AsciiLower(column.name), column.name);
    std::string key = Key(column.table, column.name);
    columns_.emplace(std::move(key), std::move(column));
}

const ColumnCatalogue::Column* ColumnCatalogue::Find(std::string_view table,
                                                     std::string_view column) const {
    const auto found = columns_.find(Key(table, column));
    return found == columns_.end() ? nullptr : &found->second;
}

std::string ColumnCatalogue::Spelling(std::string_view name) const {
    const auto found = spellings_.find(AsciiLower(name));
    return found == spellings_.end() ? std::string(name) : found->second;
}

}  // namespace zel
