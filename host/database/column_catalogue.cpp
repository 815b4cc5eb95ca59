#include "host/database/column_catalogue.h"

#include <sqlite3.h>

#include <algorithm>

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

// Every row of a query over the schema's own catalogue.
template <typename Each>
void ForEachRow(sqlite3* database, const char* sql, Each each) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(database, sql, -1, &statement, nullptr) == SQLITE_OK) {
        while (sqlite3_step(statement) == SQLITE_ROW) {
            each(statement);
        }
    }
    sqlite3_finalize(statement);
}

// The schema is run on an empty in-memory database, whose own catalogue then tells every
// table's columns as declared, its keys and its references; nullptr when it does not run, and
// the catalogue is then empty.
sqlite3* SchemaDatabase() {
    std::string script;
    std::string error;
    sqlite3* database = nullptr;
    if (!ReadEmbeddedScript(":/host/schema/sqlite.sql", script, error) ||
        sqlite3_open(":memory:", &database) != SQLITE_OK ||
        sqlite3_exec(database, script.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close(database);
        return nullptr;
    }
    return database;
}

// table_xinfo, unlike table_info, lists the generated columns too: hidden 2 or 3.
constexpr const char* kColumns =
    "select m.name, c.name, c.type, c.\"notnull\", c.hidden in (2, 3) from sqlite_master m, "
    "pragma_table_xinfo(m.name) c where m.type = 'table' order by m.name, c.cid";
constexpr const char* kPrimaryKeys =
    "select m.name, '', c.name from sqlite_master m, pragma_table_info(m.name) c "
    "where m.type = 'table' and c.pk > 0 order by m.name, c.pk";
// A composite foreign key is left out: the schema checks it, the writer names no single row.
constexpr const char* kReferences =
    "select m.name, f.\"from\", f.\"table\", f.\"to\" from sqlite_master m, "
    "pragma_foreign_key_list(m.name) f where m.type = 'table' and not exists "
    "(select 1 from pragma_foreign_key_list(m.name) g where g.id = f.id and g.seq > 0)";
// The unique constraints in the order declared: SQLite numbers the newest first.
constexpr const char* kUniqueKeys =
    "select m.name, i.name, k.name from sqlite_master m, pragma_index_list(m.name) i, "
    "pragma_index_info(i.name) k where m.type = 'table' and i.origin = 'u' "
    "order by m.name, i.seq desc, k.seqno";

}  // namespace

const ColumnCatalogue& ColumnCatalogue::OfSchema() {
    static const ColumnCatalogue catalogue = [] {
        ColumnCatalogue built;
        sqlite3* database = SchemaDatabase();
        ForEachRow(database, kColumns, [&](sqlite3_stmt* row) {
            built.Add({TextOf(row, 0), TextOf(row, 1), TextOf(row, 2),
                       sqlite3_column_int(row, 3) != 0, sqlite3_column_int(row, 4) != 0});
        });
        // A table's key is its primary key, read first, or else its first unique constraint.
        std::map<std::string, std::string> keyConstraint;
        const auto addKey = [&](sqlite3_stmt* row) {
            const auto [keyed, first] =
                keyConstraint.emplace(AsciiLower(TextOf(row, 0)), TextOf(row, 1));
            if (keyed->second == TextOf(row, 1)) {
                built.tables_[keyed->first].key.push_back(TextOf(row, 2));
            }
        };
        ForEachRow(database, kPrimaryKeys, addKey);
        ForEachRow(database, kUniqueKeys, addKey);
        ForEachRow(database, kReferences, [&](sqlite3_stmt* row) {
            built.AddReference(TextOf(row, 0),
                               {built.Spelling(TextOf(row, 1)), built.Spelling(TextOf(row, 2)),
                                built.Spelling(TextOf(row, 3))});
        });
        sqlite3_close(database);
        built.OrderReferencesByColumn();
        return built;
    }();
    return catalogue;
}

void ColumnCatalogue::Add(Column column) {
    spellings_.emplace(AsciiLower(column.table), column.table);
    spellings_.emplace(AsciiLower(column.name), column.name);
    Table& table = tables_[AsciiLower(column.table)];
    table.name = column.table;
    table.columns.push_back(column.name);
    std::string key = Key(column.table, column.name);
    columns_.emplace(std::move(key), std::move(column));
}

void ColumnCatalogue::AddReference(const std::string& table, Reference reference) {
    tables_[AsciiLower(table)].references.push_back(std::move(reference));
}

void ColumnCatalogue::OrderReferencesByColumn() {
    // Not a structured binding: clang 14, which builds the fuzz targets, cannot capture one.
    for (auto& entry : tables_) {
        Table& table = entry.second;
        const auto position = [&](const Reference& reference) {
            return std::find(table.columns.begin(), table.columns.end(), reference.column);
        };
        std::sort(
            table.references.begin(), table.references.end(),
            [&](const Reference& a, const Reference& b) { return position(a) < position(b); });
    }
}

const ColumnCatalogue::Column* ColumnCatalogue::Find(std::string_view table,
                                                     std::string_view column) const {
    const auto found = columns_.find(Key(table, column));
    return found == columns_.end() ? nullptr : &found->second;
}

const ColumnCatalogue::Table* ColumnCatalogue::FindTable(std::string_view table) const {
    const auto found = tables_.find(AsciiLower(table));
    return found == tables_.end() ? nullptr : &found->second;
}

std::string ColumnCatalogue::Spelling(std::string_view name) const {
    const auto found = spellings_.find(AsciiLower(name));
    return found == spellings_.end() ? std::string(name) : found->second;
}

}  // namespace zel
