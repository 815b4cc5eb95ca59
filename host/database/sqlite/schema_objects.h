#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>

struct sqlite3;

namespace zel {

// The tables, indexes and triggers of a schema, each as the statement SQLite keeps for it.
class SchemaObjects {
public:
    // What a schema script makes on an empty database; nullopt, with the reason in error, when
    // it cannot be run.
    static std::optional<SchemaObjects> MadeBy(const std::string& script, std::string& error);
    // What a database holds now.
    static SchemaObjects Of(sqlite3* db);

    // Whether every table of `current` is here, made by the same statement.
    bool HasTablesOf(const SchemaObjects& current) const;
    // Drops every index and trigger here that `current` does not make by the same statement, so
    // that running its script makes anew those it makes otherwise, and none is left that it no
    // longer makes; false with the engine's reason in error.
    bool DropAllButThoseOf(sqlite3* db, const SchemaObjects& current, std::string& error) const;

private:
    using Key = std::pair<std::string, std::string>;  // type, name
    std::map<Key, std::string> statements_;
};

}  // namespace zel
