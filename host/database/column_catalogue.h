#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zel {

// The account tables' names, columns, keys and references as the SQLite schema writes them. A
// server database folds unquoted names to lower case and keeps no text sizes; results read from
// it are described through this table, so that a caller sees "WhInvContrapose.cWhCode" and
// "varchar(10)" whichever engine holds the rows. The record writer reads the same table, so that
// it knows no table of its own.
class ColumnCatalogue {
public:
    struct Column {
        std::string table;      // "WhInvContrapose"
        std::string name;       // "cWhCode"
        std::string declared;   // "varchar(10)"
        bool required = false;  // not null
        // Kept by the database from other columns: read like any other, never written.
        bool generated = false;
    };

    // A single-column foreign key: column names a row of table by its column key.
    struct Reference {
        std::string column;  // "cWhCode"
        std::string table;   // "Warehouse"
        std::string key;     // "cWhCode"
    };

    struct Table {
        std::string name;
        std::vector<std::string> columns;  // in the order declared
        // The primary key, or the first unique constraint of a table without one.
        std::vector<std::string> key;
        std::vector<Reference> references;  // in the order of their columns
    };

    // The one catalogue of this host's schema, built on first use.
    static const ColumnCatalogue& OfSchema();

    // Names compare without regard to ASCII letter case; nullptr for a column not in the schema.
    const Column* Find(std::string_view table, std::string_view column) const;
    // nullptr for a table not in the schema.
    const Table* FindTable(std::string_view table) const;
    // A table or column name as the schema spells it; the name itself when the schema has none.
    std::string Spelling(std::string_view name) const;

private:
    void Add(Column column);
    void AddReference(const std::string& table, Reference reference);
    void OrderReferencesByColumn();

    std::map<std::string, Column> columns_;                   // "table.column", lower case
    std::map<std::string, Table> tables_;                     // lower case
    std::unordered_map<std::string, std::string> spellings_;  // lower case → as written
};

}  // namespace zel
