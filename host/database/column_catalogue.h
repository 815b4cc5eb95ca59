#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

namespace zel {

// The account tables' names and column declarations as the SQLite schema writes them. A server
// database folds unquoted names to lower case and keeps no text sizes; results read from it are
// described through this table, so that a caller sees "WhInvContrapose.cWhCode" and
// "varchar(10)" whichever engine holds the rows.
class ColumnCatalogue {
public:
    struct Column {
        std::string table;     // "WhInvContrapose"
        std::string name;      // "cWhCode"
        std::string declared;  // "varchar(10)"
    };

    // The one catalogue of this host's schema, built on first use.
    static const ColumnCatalogue& OfSchema();

    // Names compare without regard to ASCII letter case; nullptr for a column not in the schema.
    const Column* Find(std::string_view table, std::string_view column) const;
    // A table or column name as the schema spells it; the name itself when the schema has none.
    std::string Spelling(std::string_view name) const;

private:
    void Add(Column column);

    std::map<std::string, Column> columns_;                   // "table.column", lower case
    std::unordered_map<std::string, std::string> spellings_;  // lower case → as written
};

}  // namespace zel
